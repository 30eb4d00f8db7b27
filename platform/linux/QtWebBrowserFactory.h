#pragma once

#include "platform/WebBrowser.h"

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

class QWebEngineDownloadRequest;
class QWebEnginePage;
class QWebEngineProfile;


namespace platform {

class QtWebBrowser;

// Makes the program's page engines. All pages share one named, persistent
// engine profile whose storage and cache live in the folder given here, so
// cookies and history survive a restart. The profile is made on the first
// create() and goes last: the factory deletes every page (and view) it made
// that is still alive before it, and the controls left over become inert.
//
// It also does what belongs to the program rather than to one page:
// downloads go into the user's download folder under a name no file has yet,
// and a modeless box tells where each one went when it ends; script errors of
// pages that are not Silent are shown in one modeless "스크립트 오류" box at a
// time.
class QtWebBrowserFactory : public QObject, public WebBrowserFactory
{
    Q_OBJECT
public:
    explicit QtWebBrowserFactory(const QString &storageFolder, QObject *parent = nullptr);
    ~QtWebBrowserFactory() override;

    // The control's object is a child of parent, its view a child widget of it.
    WebBrowser *create(QWidget *parent) override;

    QString storageFolder() const { return m_storageFolder; }
    // The shared profile, made on first use.
    QWebEngineProfile *profile();
    // The script-error box on screen, if any.
    QMessageBox *scriptErrorBox() const { return m_scriptErrorBox; }

private:
    void downloadRequested(QWebEngineDownloadRequest *request);
    void showDownloadResult(QWebEngineDownloadRequest *request, const QString &path, QWidget *window);
    void showScriptError(QtWebBrowser *browser, const QString &message, int line, const QString &source);
    QtWebBrowser *browserOf(const QWebEnginePage *page) const;

    QString m_storageFolder;
    QWebEngineProfile *m_profile = nullptr;
    QList<QPointer<QtWebBrowser>> m_browsers;
    // Views and pages made here; a closed control leaves them for the event
    // loop to delete, and those still alive at the end are deleted first.
    QList<QPointer<QObject>> m_views;
    QList<QPointer<QObject>> m_pages;
    // Download targets in progress, which may not exist on disk yet.
    QSet<QString> m_reservedDownloads;
    QPointer<QMessageBox> m_scriptErrorBox;
};

// name, or "name (1).ext", "name (2).ext", ... : the first one that neither
// exists in folder nor is in taken (full paths).
QString uniqueFileName(const QString &folder, const QString &name, const QSet<QString> &taken);

} // namespace platform
