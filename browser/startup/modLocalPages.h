#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {
struct Platform;
class WebBrowser;
}

// The browser's own status pages (error, new tab, start page frame, loading,
// ending), written into the TEMP folder right before a tab is sent to them.
// The closing line of the program's own about: pages.
inline constexpr const char *kAboutFooter = "Vorlen™ 웹 브라우저 · Brenmor® Corporation";

namespace modLocalPages {

enum class Page { Error, NewTab, StartPage, Loading, Ending };

// "Error.htm", "NewTab.htm", "StartPage.htm", "Loading.htm", "Ending.htm".
QString fileName(Page page);
// TEMP + "/" + the page's file name, whether or not it has been written.
QString pagePath(const platform::Platform &platform, Page page);

// What a page depends on besides its fixed text.
struct PageInputs
{
    bool fade = false;       // FadeEffectValue is 1: blend transitions on entering and leaving
    bool connected = true;   // false: the error and new-tab pages carry the offline notice
    QString startPage;       // the browser's start page address
    QString homeLink;        // the new-tab page's home link address
    QString version;         // "major.minor.revision"
};

// The lines of each page, without line ends.
QStringList errorPageLines(const PageInputs &in);
QStringList newTabPageLines(const PageInputs &in);
QStringList startPageFrameLines(const PageInputs &in);
QStringList loadingPageLines(const PageInputs &in);
QStringList endingPageLines(const PageInputs &in);

// The file contents: UTF-8 with a byte-order mark, every line ended with CR LF.
QByteArray encodePage(const QStringList &lines);

// Text made safe inside a single- or double-quoted attribute value.
QString attributeText(const QString &text);

// Each writer reads the settings, the start page and the connection state as it
// needs them, replaces the page's file and returns its path; an empty string when
// the file could not be written (the caller navigates to pagePath() all the same).
QString MakeErrorPage(const platform::Platform &platform);
QString MakeNewTabPage(const platform::Platform &platform);
QString MakeStartPageFrame(const platform::Platform &platform);
QString MakeLoadingPage(const platform::Platform &platform);
QString MakeEndingPage(const platform::Platform &platform);

// A page's lines with the settings, start page and connection state of now.
QStringList pageLines(const platform::Platform &platform, Page page);

// Writes a page and sends target to it. When the TEMP folder cannot take the
// file, the page is shown from memory instead and false tells the caller, who
// lets the user know.
bool Open(const platform::Platform &platform, Page page, platform::WebBrowser *target);

// Removes the loading, new-tab, error and ending pages; the start page frame stays.
void DeleteGeneratedPages(const platform::Platform &platform);

} // namespace modLocalPages
