#pragma once

#include "browser/core/WindowSlot.h"

#include <QLabel>
#include <QStringList>
#include <QWidget>

#include <memory>

class LabelControl;
class QFrame;
class VorlenApp;

// A label that works as a button: pressing shows its caption bold and red,
// releasing restores it and clicks unless the release point lies both to the
// right of and below the label. The caption's "&" marks its access key.
class LabelButton : public QLabel
{
    Q_OBJECT
public:
    LabelButton(const QString &name, const QString &caption, QWidget *parent);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    bool pressed() const { return m_pressed; }

Q_SIGNALS:
    void Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void showCaption();

    QString m_caption;
    bool m_pressed = false;
};

// The about box: product and version, a summary of the machine with a detailed
// view, the maker's notices, and the system-information tool. The main window
// stays disabled while it is open.
class frmAbout : public QWidget
{
    Q_OBJECT
public:
    frmAbout(VorlenApp &app, QWidget *parent);
    ~frmAbout() override;

    static constexpr int kNarrowWidth = 5730;   // twips
    static constexpr int kWideWidth = 8370;

    void cmdOK_Click();
    void cmdSysInfo_Click();
    void cmdCopyrightButton_Click();
    void cmdMoreUserOperatingSystemInfo_Click();

    // Where the desktop's system-information programs are looked for ($PATH).
    void setToolSearchPath(const QStringList &folders) { m_toolSearchPath = folders; }

    QLabel *lblProductName;
    QLabel *lblVersion;
    QLabel *lblUserOperatingSystemInfo;
    QLabel *lblUserComputerNetworkInfo;
    QLabel *lblUserSystemInfo;
    QLabel *lblCopyright;
    QLabel *lblDisclaimer;
    QFrame *famCopyrightMaker;
    QLabel *lblByMakerName;
    QLabel *lblByMakerNameList;
    LabelButton *cmdOK;
    LabelButton *cmdSysInfo;
    LabelButton *cmdCopyrightButton;
    LabelControl *cmdMoreUserOperatingSystemInfo;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void Form_Load();
    void Form_Activate();

    VorlenApp &m_app;
    std::unique_ptr<WindowLocks::Lock> m_lock;
    QStringList m_toolSearchPath;
};
