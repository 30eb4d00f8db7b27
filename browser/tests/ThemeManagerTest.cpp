// The theme manager: its pack list and information labels, OK and cancel, and
// the maker's address.
#include "BrowserFixture.h"

#include "browser/frame/PictureControl.h"
#include "browser/app/SessionWindows.h"
#include "browser/themes/BuiltinImages.h"
#include "browser/themes/frmAmbrel.h"
#include "browser/themes/modAmbrel.h"
#include "browser/tools/frmNotice.h"
#include "platform/IniFile.h"
#include "platform/Settings.h"
#include "themepack/ThemePack.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using K = settings::Key;

class ThemeManager : public BrowserTest
{
protected:
    QString appFolder() { return m_fake.environment().applicationFolder(); }

    void makePack(const QString &name, const QString &makerUrl, bool withInfo = true, QColor colour = Qt::blue)
    {
        const QString folder = themepack::packFolder(appFolder(), name);
        ASSERT_TRUE(QDir().mkpath(folder));
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(colour);
        for (const themepack::PictureFile &row : themepack::kPictureFiles)
            ASSERT_TRUE(image.save(folder + QLatin1Char('/') + themepack::tableText(row.fileName), "PNG"));
        if (!withInfo)
            return;
        const QString info = themepack::infoFile(appFolder(), name);
        const QString section = QLatin1String(themepack::kInfoSection);
        ASSERT_TRUE(modINIControl::WriteIniValue(section, "Name", name + " pack", info));
        ASSERT_TRUE(modINIControl::WriteIniValue(section, "MakerName", "Maker of " + name, info));
        ASSERT_TRUE(modINIControl::WriteIniValue(section, "MakerURL", makerUrl, info));
    }

    // A closed window goes at the next turn of the event loop.
    bool closed()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return toolWindow<frmAmbrel>() == nullptr;
    }

    frmAmbrel &open()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(app().commands().run(Command::ThemeManager), Commands::State::Enabled);
        frmAmbrel *manager = toolWindow<frmAmbrel>();
        EXPECT_NE(manager, nullptr);
        return *manager;
    }

    void makerDoubleClick()
    {
        frmAmbrel *m = toolWindow<frmAmbrel>();
        ASSERT_NE(m, nullptr);
        QTest::mouseDClick(m->lblThemePackMakerURL, Qt::LeftButton);
    }

    QStringList labels(frmAmbrel &m)
    {
        return {m.lblThemePackName->text(), m.lblThemePackMakerName->text(), m.lblThemePackMakerURL->text()};
    }

    QStringList listed(frmAmbrel &m)
    {
        QStringList out;
        for (int i = 0; i < m.ThemeNameTextBox->count(); ++i)
            out << m.ThemeNameTextBox->itemText(i);
        return out;
    }

    void startWith(const QString &themeName)
    {
        setSetting(K::AmbrelUseValue, "1");
        setSetting(K::ThemeName, themeName);
        start();
        form().show();
    }
};

const QStringList kPlaceholders = {"[테마팩 이름 없음]", "[제작자 이름 없음]", "[제작자 URL 없음]"};

} // namespace

TEST_F(ThemeManager, ListsEveryPackAndRefreshesTheLabelsByClickKeyAndScroll)
{
    makePack("Aqua", "https://aqua.example/");
    makePack("Bare", QString(), false);
    makePack("Coral", "http://coral.example/");
    startWith("Aqua");
    frmAmbrel &m = open();
    EXPECT_FALSE(form().isEnabled()) << "the manager holds the main window";
    EXPECT_EQ(listed(m), (QStringList{"Aqua", "Bare", "Coral"}));
    EXPECT_EQ(m.ThemeNameTextBox->currentText(), "Aqua");
    EXPECT_EQ(labels(m), (QStringList{"Aqua pack", "Maker of Aqua", "https://aqua.example/"}));

    // A key in the box moves to the next pack.
    QTest::keyClick(m.ThemeNameTextBox, Qt::Key_Down);
    EXPECT_EQ(labels(m), kPlaceholders);
    // A scroll over the box moves on again.
    QWheelEvent wheel(QPointF(5, 5), m.ThemeNameTextBox->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(m.ThemeNameTextBox, &wheel);
    EXPECT_EQ(m.ThemeNameTextBox->currentText(), "Coral");
    EXPECT_EQ(labels(m)[0], "Coral pack");
    // A choice from the list (what a click picks).
    m.ThemeNameTextBox->setCurrentIndex(0);
    EXPECT_EQ(labels(m)[0], "Aqua pack");
    // Typed text that names no pack, or leaves the theme folder, has no information.
    m.ThemeNameTextBox->setEditText("../Aqua");
    EXPECT_EQ(labels(m), kPlaceholders);

    m.CancelButton->click();
    EXPECT_TRUE(closed());
    EXPECT_TRUE(form().isEnabled());
}

TEST_F(ThemeManager, CancelWritesNothingAndOkStoresTheChoiceAndAppliesIt)
{
    makePack("Aqua", "https://aqua.example/", true, Qt::blue);
    makePack("Coral", "https://coral.example/", true, Qt::red);
    startWith("Aqua");
    auto topLine = [this] {
        return form().findChild<PictureControl *>("ProgramDesignTopLine")->picture().toImage().pixelColor(1, 1);
    };
    EXPECT_EQ(topLine(), QColor(Qt::blue));

    frmAmbrel &m = open();
    EXPECT_FALSE(m.chkStartVorlenThemePackUse->isChecked()) << "no stored value reads unchecked";
    m.ThemeNameTextBox->setCurrentIndex(1);
    m.cmdExit->click();
    EXPECT_EQ(platform::setting::text(fake().environment(), K::ThemeName), "Aqua");

    frmAmbrel &again = open();
    again.ThemeNameTextBox->setCurrentIndex(1);
    again.ApplyButton->click();
    EXPECT_TRUE(closed());
    EXPECT_EQ(platform::setting::text(fake().environment(), K::ThemeName), "Coral");
    EXPECT_EQ(platform::setting::text(fake().environment(), K::AskUseBooleanValue), "0");
    EXPECT_EQ(topLine(), QColor(Qt::red)) << "the window changes at once";
}

TEST_F(ThemeManager, AHostileNameTypedIntoTheBoxIsAMissingPackFolder)
{
    makePack("Aqua", "https://aqua.example/");
    // A pack outside the theme folder.
    makePack("../Outside", "https://x.example/");
    startWith("Aqua");
    frmAmbrel &m = open();
    m.ThemeNameTextBox->setEditText("../Outside");
    fake().dialogs().clear();
    m.ApplyButton->click();
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    EXPECT_TRUE(fake().dialogs().messageBoxes()[0].text.startsWith("Ambrel™ 테마팩 폴더가 없습니다."));
    EXPECT_TRUE(app().images().isBuiltin(form().findChild<PictureControl *>("ProgramDesignTopLine")->picture(),
                                         ImageList::SystemImageList, 2));
}

TEST_F(ThemeManager, TheMakerAddressOpensOnlyAsAWebAddress)
{
    makePack("Web", "https://maker.example/home");
    makePack("Script", "javascript:alert(1)");
    makePack("Local", "file:///etc/passwd");
    makePack("Bare", QString(), false);
    startWith("Web");

    frmAmbrel &m = open();
    makerDoubleClick();
    EXPECT_TRUE(closed());
    EXPECT_EQ(tabs(), "start ID1*");
    EXPECT_EQ(selectedPage()->navigated().value(0), "https://maker.example/home");

    for (const char *pack : {"Script", "Local"}) {
        SCOPED_TRACE(pack);
        frmAmbrel &other = open();
        other.ThemeNameTextBox->setEditText(pack);
        const QString shown = other.lblThemePackMakerURL->text();
        makerDoubleClick();
        EXPECT_FALSE(closed()) << "the manager stays open";
        EXPECT_EQ(other.lblThemePackMakerURL->text(), shown);
        ASSERT_NE(app().windows().notice(), nullptr);
        EXPECT_EQ(app().windows().notice()->lblNoticeTitle->text(), modAmbrel::managerTitle());
        other.CancelButton->click();
    }
    EXPECT_EQ(tabs(), "start ID1*");

    frmAmbrel &bare = open();
    bare.ThemeNameTextBox->setEditText("Bare");
    fake().dialogs().clear();
    makerDoubleClick();
    ASSERT_EQ(fake().dialogs().messageBoxes().size(), 1);
    EXPECT_EQ(fake().dialogs().messageBoxes()[0].text, "Ambrel™ 테마팩 정보가 담긴 파일이 손상되거나 누락 되었습니다.");
    EXPECT_FALSE(closed());
    bare.CancelButton->click();
}

TEST_F(ThemeManager, MorePacksOpensTheProductSiteInANewTab)
{
    startWith(QString());
    frmAmbrel &m = open();
    m.cmdGoToVorlen->click();
    EXPECT_TRUE(closed());
    EXPECT_EQ(selectedPage()->navigated().value(0), frmAmbrel::productSite());
}
