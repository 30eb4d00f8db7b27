#include "frmDownloads.h"

#include "DownloadText.h"
#include "browser/core/VorlenApp.h"
#include "platform/Downloads.h"

#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

using State = platform::Download::State;

QString stateText(const DownloadRecord &record)
{
    switch (record.state) {
    case State::Completed: return downloadText::sizeText(record.size) + QStringLiteral(", 완료");
    case State::Cancelled: return QStringLiteral("취소됨");
    case State::Failed: return QStringLiteral("실패");
    case State::Running: break;
    }
    return QString();
}

// Colours by palette rather than a style sheet: polishing a hundred rows
// through a sheet costs more than the whole window otherwise does.
void paint(QWidget *widget, QPalette::ColorRole role, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

} // namespace

DownloadRow::DownloadRow(DownloadLog &log, const DownloadLog::Entry &entry, QWidget *parent)
    : QWidget(parent)
    , m_log(log)
    , m_entry(entry)
{
    setObjectName(QStringLiteral("DownloadRow"));
    setAutoFillBackground(true);
    paint(this, QPalette::Window, QColor(0xff, 0xff, 0xff));
    NameLabel = new QLabel(this);
    NameLabel->setObjectName(QStringLiteral("NameLabel"));
    NameLabel->setTextFormat(Qt::PlainText);
    QFont bold = NameLabel->font();
    bold.setBold(true);
    NameLabel->setFont(bold);
    paint(NameLabel, QPalette::WindowText, QColor(0x1b, 0x1f, 0x26));
    DetailLabel = new QLabel(this);
    DetailLabel->setObjectName(QStringLiteral("DetailLabel"));
    DetailLabel->setTextFormat(Qt::PlainText);
    paint(DetailLabel, QPalette::WindowText, QColor(0x5b, 0x65, 0x75));
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setTextVisible(false);
    ProgressBar->setFixedHeight(8);
    CancelButton = new QPushButton(QStringLiteral("취소"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    OpenFolderButton = new QPushButton(QStringLiteral("폴더 열기"), this);
    OpenFolderButton->setObjectName(QStringLiteral("OpenFolderButton"));
    RetryButton = new QPushButton(QStringLiteral("다시 받기"), this);
    RetryButton->setObjectName(QStringLiteral("RetryButton"));

    auto *text = new QVBoxLayout;
    text->setSpacing(2);
    text->addWidget(NameLabel);
    text->addWidget(DetailLabel);
    text->addWidget(ProgressBar);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(10, 6, 10, 6);
    outer->addLayout(row);
    row->addLayout(text, 1);
    row->addWidget(CancelButton);
    row->addWidget(OpenFolderButton);
    row->addWidget(RetryButton);
    // A thin line between rows.
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFixedHeight(1);
    paint(line, QPalette::WindowText, QColor(0xdd, 0xe2, 0xea));
    outer->addWidget(line);

    connect(CancelButton, &QPushButton::clicked, this, &DownloadRow::CancelButton_Click);
    connect(OpenFolderButton, &QPushButton::clicked, this, &DownloadRow::OpenFolderButton_Click);
    connect(RetryButton, &QPushButton::clicked, this, &DownloadRow::RetryButton_Click);
    refresh();
}

DownloadRecord DownloadRow::current() const
{
    // A download of this run that has ended is listed from its record; one
    // still running from the download itself.
    if (m_entry.download && m_entry.download->state() == State::Running) {
        DownloadRecord r;
        r.path = m_entry.download->path();
        r.url = m_entry.download->url();
        r.site = m_entry.download->site();
        r.state = State::Running;
        return r;
    }
    if (m_entry.download && m_entry.record.path.isEmpty()) {
        DownloadRecord r;
        r.path = m_entry.download->path();
        r.url = m_entry.download->url();
        r.site = m_entry.download->site();
        r.size = m_entry.download->receivedBytes();
        r.state = m_entry.download->state();
        return r;
    }
    return m_entry.record;
}

void DownloadRow::refresh()
{
    if (m_entry.download && m_entry.download->state() != State::Running && m_entry.record.path.isEmpty()) {
        // The log has the ended record by now.
        if (const std::optional<DownloadRecord> ended = m_log.endedRecord(m_entry.download))
            m_entry.record = *ended;
    }
    const DownloadRecord r = current();
    NameLabel->setText(QFileInfo(r.path).fileName());
    const bool running = r.state == State::Running;
    if (running) {
        platform::Download *d = m_entry.download;
        const qint64 total = d->totalBytes();
        DetailLabel->setText(r.site + QStringLiteral(" — ")
                             + downloadText::progressText(d->receivedBytes(), total, m_log.speedOf(d)));
        if (total > 0) {
            ProgressBar->setRange(0, 1000);
            ProgressBar->setValue(int(qBound(qint64(0), d->receivedBytes() * 1000 / total, qint64(1000))));
        } else {
            ProgressBar->setRange(0, 0); // size unknown: a busy bar
        }
    } else {
        DetailLabel->setText(r.site + QStringLiteral(" — ") + stateText(r));
    }
    ProgressBar->setVisible(running);
    CancelButton->setVisible(running);
    OpenFolderButton->setVisible(r.state == State::Completed);
    RetryButton->setVisible(r.state == State::Cancelled || r.state == State::Failed);
    RetryButton->setEnabled(r.url.isValid() && !r.url.isEmpty());
}

void DownloadRow::CancelButton_Click()
{
    if (m_entry.download)
        m_entry.download->cancel();
}

void DownloadRow::OpenFolderButton_Click()
{
    m_log.downloads().openFolder(QFileInfo(current().path).absolutePath());
}

void DownloadRow::RetryButton_Click()
{
    m_log.downloads().download(current().url);
}

frmDownloads::frmDownloads(VorlenApp &app, DownloadLog &log, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_app(app)
    , m_log(log)
    , m_downloads(log.downloads())
{
    setObjectName(QStringLiteral("frmDownloads"));
    // The rows act on the log: the window does not outlive it.
    connect(&log, &QObject::destroyed, this, [this] { delete this; });
    setWindowTitle(QStringLiteral("내려받기 목록"));
    setAutoFillBackground(true);
    paint(this, QPalette::Window, QColor(0xf4, 0xf6, 0xf9));
    resize(560, 420);

    EmptyLabel = new QLabel(QStringLiteral("내려받은 파일이 없습니다."), this);
    EmptyLabel->setObjectName(QStringLiteral("EmptyLabel"));
    EmptyLabel->setAlignment(Qt::AlignCenter);
    ListArea = new QScrollArea(this);
    ListArea->setObjectName(QStringLiteral("ListArea"));
    ListArea->setWidgetResizable(true);
    ListArea->setFrameShape(QFrame::NoFrame);
    m_list = new QWidget;
    m_list->setAutoFillBackground(true);
    paint(m_list, QPalette::Window, QColor(0xf4, 0xf6, 0xf9));
    m_rows = new QVBoxLayout(m_list);
    m_rows->setContentsMargins(0, 0, 0, 0);
    m_rows->setSpacing(0);
    m_rows->addStretch(1);
    ListArea->setWidget(m_list);
    ClearButton = new QPushButton(QStringLiteral("목록 지우기"), this);
    ClearButton->setObjectName(QStringLiteral("ClearButton"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(EmptyLabel);
    layout->addWidget(ListArea, 1);
    auto *bottom = new QHBoxLayout;
    bottom->setContentsMargins(10, 0, 10, 0);
    bottom->addStretch(1);
    bottom->addWidget(ClearButton);
    layout->addLayout(bottom);

    connect(ClearButton, &QPushButton::clicked, this, &frmDownloads::ClearButton_Click);
    connect(&m_log, &DownloadLog::added, this, &frmDownloads::log_Added);
    connect(&m_log, &DownloadLog::changed, this, &frmDownloads::log_Changed);
    connect(&m_log, &DownloadLog::cleared, this, &frmDownloads::rebuild);
    // The end of a download shows in the list while it is open.
    m_downloads.setEndNoticesShown(false);
    rebuild();
}

frmDownloads::~frmDownloads()
{
    m_downloads.setEndNoticesShown(true);
}

QList<DownloadRow *> frmDownloads::rows() const
{
    QList<DownloadRow *> out;
    for (int i = 0; i < m_rows->count(); ++i) {
        if (auto *row = qobject_cast<DownloadRow *>(m_rows->itemAt(i)->widget()))
            out << row;
    }
    return out;
}

void frmDownloads::rebuild()
{
    for (DownloadRow *row : rows()) {
        m_rows->removeWidget(row);
        delete row;
    }
    const QList<DownloadLog::Entry> entries = m_log.entries();
    for (const DownloadLog::Entry &entry : entries)
        m_rows->insertWidget(m_rows->count() - 1, new DownloadRow(m_log, entry, m_list));
    showEmpty();
}

void frmDownloads::log_Added(platform::Download *download)
{
    m_rows->insertWidget(0, new DownloadRow(m_log, DownloadLog::Entry{download, {}}, m_list));
    showEmpty();
}

void frmDownloads::log_Changed(platform::Download *download)
{
    for (DownloadRow *row : rows()) {
        if (row->download() == download)
            row->refresh();
    }
}

void frmDownloads::showEmpty()
{
    const bool empty = rows().isEmpty();
    EmptyLabel->setVisible(empty);
    ListArea->setVisible(!empty);
}

void frmDownloads::ClearButton_Click()
{
    if (!m_log.clearEnded())
        m_app.platform().dialogs.notice(this,
                                        QStringLiteral("내려받기 목록을 지우지 못했습니다.\n%1").arg(m_log.store().path()),
                                        QStringLiteral("내려받기"), platform::MsgIcon::Exclamation);
}
