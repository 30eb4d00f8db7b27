#include "BrowserFixture.h"

#include "browser/frame/modWindowSetting.h"
#include "browser/app/modSubMain.h"
#include "browser/window/Design.h"
#include "browser/window/TabStrip.h"
#include "platform/Folders.h"
#include "platform/Settings.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

BrowserTest::BrowserTest()
    : m_fake(m_dir.path())
{
    m_fake.registry().setStartPage(QStringLiteral("http://start.example/"));
    QDir().mkpath(platform::folders::profileFolder(m_fake.environment()));
    // A returning user: the settings file holds the window's last place, the
    // default size centred on the screen. A test of the first run removes it.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const QRect rect = modWindowSetting::centred(
        area, QSize(design::px(design::kDefaultWidth), design::px(design::kDefaultHeight)));
    for (const auto &[key, text] : modWindowSetting::savedTexts({0, rect}))
        platform::setting::write(m_fake.environment(), settings::Key(key), text);
}

BrowserTest::~BrowserTest()
{
    m_app.reset();
}

void BrowserTest::start()
{
    m_app = std::make_unique<BrowserAssembly>(m_fake.platform());
    modSubMain::Start(*m_app);
}

void BrowserTest::setSetting(settings::Key key, const QString &value)
{
    ASSERT_TRUE(platform::setting::write(m_fake.environment(), key, value));
}

platform::testing::FakeWebBrowser *BrowserTest::page(qint16 index)
{
    return qobject_cast<platform::testing::FakeWebBrowser *>(form().browser(index));
}

platform::testing::FakeWebBrowser *BrowserTest::selectedPage()
{
    return page(form().currentTabIndex());
}

QString BrowserTest::tabs()
{
    // The strip must show what the tab set holds.
    const QString model = form().tabs().stateString();
    QStringList parts;
    TabStrip *strip = form().WebTabStrip;
    for (int position = 1; position <= strip->count(); ++position) {
        QString key = strip->keyAt(position);
        if (key.isEmpty())
            key = QStringLiteral("start");
        if (position == strip->selectedPosition())
            key += QLatin1Char('*');
        parts << key;
    }
    const QString shown = parts.join(QLatin1Char(' '));
    EXPECT_EQ(shown, model) << "the tab strip and the tab set disagree";
    return model;
}

void BrowserTest::clickTab(int position)
{
    form().WebTabStrip->select(position);
}

platform::NewWindowRequest BrowserTest::openPopup(qint16 fromIndex, const QString &url)
{
    return page(fromIndex)->requestNewWindow(url);
}

QWidget *BrowserTest::named(const QString &name)
{
    QWidget *w = form().objectName() == name ? &form() : form().findChild<QWidget *>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

namespace {

QPoint pointIn(QWidget *w, QPoint at)
{
    return at.isNull() ? w->rect().center() : at;
}

} // namespace

void BrowserTest::pressOn(const QString &name, QPoint at, Qt::MouseButton button)
{
    if (QWidget *w = named(name))
        QTest::mousePress(w, button, Qt::NoModifier, pointIn(w, at));
}

void BrowserTest::releaseOn(const QString &name, QPoint at, Qt::MouseButton button)
{
    if (QWidget *w = named(name))
        QTest::mouseRelease(w, button, Qt::NoModifier, pointIn(w, at));
}

void BrowserTest::clickOn(const QString &name, QPoint at, Qt::MouseButton button)
{
    if (QWidget *w = named(name))
        QTest::mouseClick(w, button, Qt::NoModifier, pointIn(w, at));
}

void BrowserTest::doubleClickOn(const QString &name, QPoint at)
{
    if (QWidget *w = named(name))
        QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, pointIn(w, at));
}

void BrowserTest::keyOn(const QString &name, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    if (QWidget *w = named(name))
        QTest::keyClick(w, key, modifiers);
}

void BrowserTest::typeOn(const QString &name, const QString &text)
{
    if (QWidget *w = named(name))
        QTest::keyClicks(w, text);
}
