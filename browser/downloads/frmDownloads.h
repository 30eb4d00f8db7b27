#pragma once

#include "DownloadLog.h"

#include <QHash>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QVBoxLayout;
class VorlenApp;

// One row of the downloads window: the file's name, the site, the size and
// progress, and the buttons that fit its state.
class DownloadRow : public QWidget
{
    Q_OBJECT
public:
    DownloadRow(DownloadLog &log, const DownloadLog::Entry &entry, QWidget *parent);

    QLabel *NameLabel;
    QLabel *DetailLabel;
    QProgressBar *ProgressBar;
    QPushButton *CancelButton;
    QPushButton *OpenFolderButton;
    QPushButton *RetryButton;

    platform::Download *download() const { return m_entry.download; }
    // Brings the texts and buttons up to date with the download.
    void refresh();

    void CancelButton_Click();
    void OpenFolderButton_Click();
    void RetryButton_Click();

private:
    DownloadRecord current() const;

    DownloadLog &m_log;
    DownloadLog::Entry m_entry;
};

// The downloads window: this run's downloads and the last ones of earlier
// runs, newest first, with "목록 지우기" below. While it is open, the end of a
// download shows here instead of in a notice.
class frmDownloads : public QWidget
{
    Q_OBJECT
public:
    frmDownloads(VorlenApp &app, DownloadLog &log, QWidget *parent);
    ~frmDownloads() override;

    QLabel *EmptyLabel;
    QScrollArea *ListArea;
    QPushButton *ClearButton;

    QList<DownloadRow *> rows() const;

    void ClearButton_Click();

private:
    void rebuild();
    void log_Added(platform::Download *download);
    void log_Changed(platform::Download *download);
    void showEmpty();

    VorlenApp &m_app;
    DownloadLog &m_log;
    platform::Downloads &m_downloads;
    QWidget *m_list;
    QVBoxLayout *m_rows;
};
