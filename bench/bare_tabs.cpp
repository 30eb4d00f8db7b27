// The bare engine with tabs: the least a program on Qt WebEngine does for the
// tab hotkeys, so that bench/tabswitch.sh can time the engine's own floor
// beside vorlen. One frameless window the size of vorlen's holds the views on
// top of each other; only the selected one is shown.
//
//   usage: bare_tabs --profile FOLDER URL
//     Alt+Right  shows the next view (wrapping around)
//     Ctrl+T     a new view after the selected one, opening the selected view's address
//     Ctrl+W     closes the selected view (not the last one) and shows its right-hand
//                neighbour, the left-hand one for the rightmost
// The window title follows the selected view's title, with " - bare tabs" after it.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QKeyEvent>
#include <QTextStream>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kWidth = 1100;
constexpr int kHeight = 760;

class BareTabs : public QWidget
{
public:
    BareTabs(QWebEngineProfile &profile, const QUrl &url)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
        , m_profile(profile)
    {
        resize(kWidth, kHeight);
        open(url);
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !isActiveWindow())
            return QWidget::eventFilter(watched, event);
        const auto *key = static_cast<QKeyEvent *>(event);
        const auto mods = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
        if (key->key() == Qt::Key_Right && mods == Qt::AltModifier)
            select((m_current + 1) % int(m_views.size()));
        else if (key->key() == Qt::Key_T && mods == Qt::ControlModifier)
            open(m_views[m_current]->url());
        else if (key->key() == Qt::Key_W && mods == Qt::ControlModifier)
            close();
        else
            return QWidget::eventFilter(watched, event);
        return true;
    }

private:
    void open(const QUrl &url)
    {
        auto *view = new QWebEngineView(this);
        auto *page = new QWebEnginePage(&m_profile, view);
        view->setPage(page);
        view->setGeometry(rect());
        QObject::connect(page, &QWebEnginePage::titleChanged, view, [this, view] {
            if (!m_views.empty() && m_views[m_current] == view)
                showTitle();
        });
        const int at = m_views.empty() ? 0 : m_current + 1;
        m_views.insert(m_views.begin() + at, view);
        view->load(url);
        select(at);
    }

    void close()
    {
        if (m_views.size() < 2)
            return;
        QWebEngineView *going = m_views[m_current];
        m_views.erase(m_views.begin() + m_current);
        going->hide();
        going->deleteLater();
        select(std::min(m_current, int(m_views.size()) - 1));
    }

    void select(int at)
    {
        if (m_current >= 0 && m_current < int(m_views.size()) && m_current != at)
            m_views[m_current]->hide();
        m_current = at;
        m_views[at]->show();
        m_views[at]->setFocus();
        showTitle();
    }

    void showTitle() { setWindowTitle(m_views[m_current]->title() + QStringLiteral(" - bare tabs")); }

    QWebEngineProfile &m_profile;
    std::vector<QWebEngineView *> m_views;
    int m_current = -1;
};

} // namespace

int main(int argc, char **argv)
{
    if (geteuid() == 0)
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bare_tabs"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tabs of bare Qt WebEngine views, for the tab hotkey timing."));
    parser.addHelpOption();
    const QCommandLineOption profileOption(QStringLiteral("profile"),
                                           QStringLiteral("Storage folder of the engine profile."),
                                           QStringLiteral("folder"));
    parser.addOption(profileOption);
    parser.addPositionalArgument(QStringLiteral("url"), QStringLiteral("The first tab's address."));
    parser.process(application);
    const QString folder = parser.value(profileOption);
    const QStringList args = parser.positionalArguments();
    if (folder.isEmpty() || args.size() != 1 || !QDir().mkpath(folder)) {
        QTextStream(stderr) << "usage: bare_tabs --profile FOLDER URL (FOLDER must be creatable)\n";
        return 2;
    }

    // Declared before the window, so it goes after it.
    QWebEngineProfile profile(QStringLiteral("bare"));
    profile.setPersistentStoragePath(QDir(folder).absolutePath());
    profile.setCachePath(QDir(folder).absoluteFilePath(QStringLiteral("Cache")));
    BareTabs window(profile, QUrl(args.first()));
    window.show();
    return QApplication::exec();
}
