#pragma once

#include "platform/SitePermissions.h"
#include "platform/WebBrowser.h"
#include "platform/FloodGate.h"
#include "platform/linux/QtWebDownloads.h"
#include "platform/linux/QtWebGeneratedPages.h"
#include "platform/linux/QtWebInputMethodGuard.h"
#include "platform/linux/QtWebRequestFilter.h"
#include "platform/linux/QtWebStatusPages.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>

class QWebEngineDownloadRequest;
class QWebEngineNotification;
class QWebEnginePage;
class QWebEngineProfile;

namespace platform {

class Dialogs;
class QtWebBrowser;

// Makes the program's page engines. All pages share one named, persistent
// engine profile whose storage and cache live in the folder given here, so
// cookies and history survive a restart. The profile is made on the first
// create() and goes last: the factory deletes every page (and view) it made
// that is still alive before it, and the controls left over become inert.
//
// The profile speaks Korean (Accept-Language "ko-KR,ko"), checks the spelling
// of page fields in Korean (spellcheck) and shows Korean faces by default
// (koreanfonts); local files show
// their own style sheets, pictures and frames but may neither read other local
// files nor reach the network (QtWebRequestFilter); the generated pages
// are served through the program's own scheme (see GeneratedPages). When the
// storage folder cannot be made or written, the profile runs off the record
// (nothing is kept after the program ends) and a notice names the folder, once.
//
// It also does what belongs to the program rather than to one page, all
// through Dialogs: each download is asked for first ("내려받기": the file's
// name, where it comes from, "저장" or "취소"), goes into the user's download
// folder under a name no file has yet, and a notice tells where it went when
// it ends (unless Downloads::endNoticesShown is off); a cancelled or failed
// download leaves no part of its file behind; script errors of pages that are not Silent are shown in one
// "스크립트 오류" notice at a time. It also ends a Hangul composition cleanly
// when the focus moves inside a page (QtWebInputMethodGuard).
class QtWebBrowserFactory : public QObject, public WebBrowserFactory
{
    Q_OBJECT
public:
    // dialogs must outlive the factory.
    QtWebBrowserFactory(const QString &storageFolder, Dialogs &dialogs, QObject *parent = nullptr);
    ~QtWebBrowserFactory() override;

    // The control's object is a child of parent, its view a child widget of it.
    WebBrowser *create(QWidget *parent) override;
    // Notifications of sites the user allowed, a few per site and minute at
    // most (see kNotificationsPerMinute); the rest are dropped.
    void setNotificationSink(std::function<void(const SiteNotification &)> sink) override;
    static constexpr int kNotificationsPerMinute = 5;
    // The sites' permission decisions, in "SitePermissions.txt" of the storage
    // folder (in memory when the folder is unusable); made with the profile.
    SitePermissions *sitePermissions() { return m_sitePermissions.get(); }
    Downloads &downloads() override { return m_downloads; }

    QString storageFolder() const { return m_storageFolder; }
    // The shared profile, made on first use.
    QWebEngineProfile *profile();
    // False when the profile could not use its storage folder and keeps
    // nothing beyond this run (known once the profile is made).
    bool storageUsable() const { return m_storageUsable; }
    // The script-error notice on screen, if any.
    QObject *scriptErrorNotice() const { return m_scriptErrorNotice; }

    // The generated pages: files called names in folder (the TEMP folder).
    // Controls made before the call see the change as well.
    void setGeneratedPages(const QString &folder, const QStringList &names);
    const GeneratedPages &generatedPages() const { return m_generatedPages; }
    const QtWebRequestFilter &requestFilter() const { return m_requestFilter; }
    const CertificateExceptions &certificateExceptions() const { return m_certificateExceptions; }
    // The browser's status pages: "Error.htm", "NewTab.htm", "StartPage.htm",
    // "Loading.htm", "Ending.htm" and the session recovery page "Recovery.htm".
    static QStringList generatedPageNames();

    // Where a download comes from, as the question before it names it: the
    // host (and port) of its address, of the page's address for addresses
    // without one (data:), "이 컴퓨터" for local files.
    static QString downloadSite(const QUrl &url, const QUrl &pageUrl);

private:
    void downloadRequested(QWebEngineDownloadRequest *request);
    void showDownloadResult(const Download &download, QWidget *window);
    void showScriptError(QtWebBrowser *browser, const QString &message, int line, const QString &source);
    void reportUnusableStorage(QWidget *window);
    void presentNotification(std::unique_ptr<QWebEngineNotification> notification);
    QtWebBrowser *browserOf(const QWebEnginePage *page) const;

    QString m_storageFolder;
    Dialogs &m_dialogs;
    GeneratedPages m_generatedPages;
    GeneratedPageHandler m_generatedPageHandler;
    QtWebRequestFilter m_requestFilter;
    // Certificates trusted despite an error, until the program ends.
    CertificateExceptions m_certificateExceptions;
    // Made with the first page: keeps input methods and pages in step.
    QPointer<QtWebInputMethodGuard> m_inputMethodGuard;
    QWebEngineProfile *m_profile = nullptr;
    bool m_storageUsable = true;
    bool m_storageReported = false;
    QList<QPointer<QtWebBrowser>> m_browsers;
    // Views and pages made here; a closed control leaves them for the event
    // loop to delete, and those still alive at the end are deleted first.
    QList<QPointer<QObject>> m_views;
    QList<QPointer<QObject>> m_pages;
    // Download targets in progress, which may not exist on disk yet.
    QSet<QString> m_reservedDownloads;
    QPointer<QObject> m_scriptErrorNotice;
    std::unique_ptr<SitePermissions> m_sitePermissions;
    std::function<void(const SiteNotification &)> m_notificationSink;
    QHash<QString, FloodGate> m_notificationGates;
    QtWebDownloads m_downloads;
};

// name, or "name (1).ext", "name (2).ext", ... : the first one that neither
// exists in folder nor is in taken (full paths).
QString uniqueFileName(const QString &folder, const QString &name, const QSet<QString> &taken);

// Makes folder when missing and checks that files can be written in it.
bool isUsableFolder(const QString &folder);

} // namespace platform
