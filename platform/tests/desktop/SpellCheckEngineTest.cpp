// Spell checking of page fields on the real engine with the build's
// dictionaries; the dictionary lookup with and without the files.
#include "../engine/EngineHarness.h"

#include "platform/linux/QtWebSpellCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <gtest/gtest.h>

using namespace enginetest;
namespace spellcheck = platform::spellcheck;

namespace {

void touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

void rightClick(QWidget *target, const QPoint &at)
{
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, target->mapToGlobal(at), Qt::RightButton,
                          type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
}

QStringList captionsOf(const QMenu *menu)
{
    QStringList captions;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator())
            captions << action->text();
    }
    return captions;
}

} // namespace

TEST(SpellCheckDictionaries, KoreanFirstEnglishWhereAvailableNothingWithoutKorean)
{
    TestFolder dir;
    EXPECT_TRUE(spellcheck::languagesIn(dir.path()).isEmpty());
    EXPECT_TRUE(spellcheck::languagesIn(dir.file("missing")).isEmpty());
    EXPECT_TRUE(spellcheck::languagesIn(QString()).isEmpty());

    touch(dir.file("en-US.bdic"));
    EXPECT_TRUE(spellcheck::languagesIn(dir.path()).isEmpty()) << "English alone would mark every Korean word";

    touch(dir.file("ko.bdic"));
    EXPECT_EQ(spellcheck::languagesIn(dir.path()), QStringList({"ko", "en-US"}));
    QFile::remove(dir.file("en-US.bdic"));
    EXPECT_EQ(spellcheck::languagesIn(dir.path()), QStringList({"ko"}));

    // A folder where the file should be is no dictionary.
    TestFolder other;
    QDir().mkpath(other.file("ko.bdic"));
    EXPECT_TRUE(spellcheck::languagesIn(other.path()).isEmpty());
}

TEST(SpellCheckDictionaries, TheProfileIsLeftWithoutSpellCheckWhenTheDictionaryIsMissing)
{
    TestFolder dir;
    QWebEngineProfile profile;
    EXPECT_TRUE(spellcheck::apply(&profile, dir.path()).isEmpty());
    EXPECT_FALSE(profile.isSpellCheckEnabled());

    // The build's folder, which this process hands the engine.
    EXPECT_EQ(QDir::cleanPath(spellcheck::dictionaryFolder()),
              QDir::cleanPath(QStringLiteral(VORLEN_BUILD_BIN "/qtwebengine_dictionaries")));
    EXPECT_EQ(spellcheck::apply(&profile, spellcheck::dictionaryFolder()), QStringList({"ko", "en-US"}));
    EXPECT_TRUE(profile.isSpellCheckEnabled());
    EXPECT_EQ(profile.spellCheckLanguages(), QStringList({"ko", "en-US"}));
}

TEST(SpellCheckDictionaries, SuggestionsAreComposedWithoutRepeats)
{
    const QString jamo = QString::fromUtf8("\u1112\u1161\u11a8\u1100\u116d");  // 학교 in separate jamo
    ASSERT_NE(jamo, "학교");
    EXPECT_EQ(spellcheck::suggestionsOf({jamo, "학교", "학께", "", "가", "나", "다"}, 4),
              QStringList({"학교", "학께", "가", "나"}));
    EXPECT_TRUE(spellcheck::suggestionsOf({}, 4).isEmpty());
}

TEST(SpellCheckEngine, AMisspelledKoreanWordGetsSuggestionsUnderAKoreanCaption)
{
    Engine engine;
    auto *b = engine.create();
    ASSERT_TRUE(engine.factory->profile()->isSpellCheckEnabled());
    const QByteArray html = "<html><head><meta charset='utf-8'></head><body style='margin:0'>"
                            "<textarea id='t' lang='ko' spellcheck='true' "
                            "style='position:absolute;left:10px;top:10px;width:600px;height:100px;font-size:32px'>"
                            "</textarea></body></html>";
    ASSERT_TRUE(navigateAndWait(b, engine.page("spell.html", html)));
    b->widget()->setFocus();
    // Typed text is checked as it is entered; the word ends with a space.
    runJs(b->page(), "var t = document.getElementById('t'); t.focus(); true");
    ASSERT_TRUE(waitUntil([&] { return runJs(b->page(), "document.activeElement.id").toString() == "t"; }));
    b->page()->runJavaScript("document.execCommand('insertText', false, '학꾜 ')");
    ASSERT_TRUE(waitUntil([&] { return runJs(b->page(), "t.value").toString() == "학꾜 "; }));

    QWidget *input = b->widget()->focusProxy() ? b->widget()->focusProxy() : b->widget();
    const QPoint word(40, 40);
    // The check runs on its own time: the menu names the word once it has.
    QString misspelled;
    QStringList suggestions;
    ASSERT_TRUE(waitUntil(
        [&] {
            QMenu *old = b->contextMenu();
            if (old)
                old->close();
            rightClick(input, word);
            if (!waitUntil([&] { return b->contextMenu() != nullptr && b->contextMenu() != old; }, 2000))
                return false;
            const QWebEngineContextMenuRequest *request = qobject_cast<QWebEngineView *>(b->widget())->lastContextMenuRequest();
            misspelled = request ? request->misspelledWord() : QString();
            suggestions = request ? request->spellCheckerSuggestions() : QStringList();
            return !misspelled.isEmpty();
        },
        30000));
    EXPECT_EQ(misspelled, "학꾜");
    // The word list gives its suggestions in separate jamo; the menu composes them.
    EXPECT_TRUE(spellcheck::suggestionsOf(suggestions, 4).contains("학교")) << suggestions.join(", ").toStdString();

    QMenu *menu = b->contextMenu();
    ASSERT_NE(menu, nullptr);
    const QStringList captions = captionsOf(menu);
    ASSERT_GE(captions.size(), 2);
    EXPECT_EQ(captions.first(), spellcheck::suggestionsCaption());
    EXPECT_FALSE(menu->actions().first()->isEnabled());
    // Choosing a suggestion replaces the word.
    QAction *replacement = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->text() == "학교")
            replacement = action;
    }
    ASSERT_NE(replacement, nullptr) << captions.join(", ").toStdString();
    replacement->trigger();
    menu->close();
    EXPECT_TRUE(waitUntil([&] { return runJs(b->page(), "t.value").toString() == "학교 "; }))
        << runJs(b->page(), "t.value").toString().toStdString();
}

