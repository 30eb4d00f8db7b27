#include "QtWebSpellCheck.h"

#include <algorithm>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace platform::spellcheck {

namespace {

// What the engine shows of its suggestions.
constexpr int kMostSuggestions = 4;

} // namespace

QString dictionaryFolder()
{
    // The engine's own order: the variable, then the folder beside the program.
    const QString variable = qEnvironmentVariable("QTWEBENGINE_DICTIONARIES_PATH");
    if (!variable.isEmpty())
        return QDir::cleanPath(variable);
    return QCoreApplication::applicationDirPath() + QStringLiteral("/qtwebengine_dictionaries");
}

QStringList languagesIn(const QString &folder)
{
    const auto has = [&](const QString &language) {
        return !folder.isEmpty() && QFileInfo(QDir(folder).filePath(language + QStringLiteral(".bdic"))).isFile();
    };
    QStringList languages;
    if (!has(QStringLiteral("ko")))
        return languages;
    languages << QStringLiteral("ko");
    if (has(QStringLiteral("en-US")))
        languages << QStringLiteral("en-US");
    return languages;
}

QStringList apply(QWebEngineProfile *profile, const QString &folder)
{
    const QStringList languages = languagesIn(folder);
    if (languages.isEmpty()) {
        profile->setSpellCheckEnabled(false);
        return languages;
    }
    profile->setSpellCheckLanguages(languages);
    profile->setSpellCheckEnabled(true);
    return languages;
}

QString suggestionsCaption()
{
    return QStringLiteral("맞춤법 추천 단어");
}

QString noSuggestionsCaption()
{
    return QStringLiteral("추천할 단어가 없습니다.");
}

QStringList suggestionsOf(const QStringList &engineSuggestions, int most)
{
    QStringList suggestions;
    for (const QString &suggestion : engineSuggestions) {
        const QString composed = suggestion.normalized(QString::NormalizationForm_C);
        if (!composed.isEmpty() && !suggestions.contains(composed))
            suggestions << composed;
        if (suggestions.size() == most)
            break;
    }
    return suggestions;
}

QMenu *contextMenu(QWebEngineView *view)
{
    QMenu *menu = view->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QWebEngineContextMenuRequest *request = view->lastContextMenuRequest();
    if (!request || request->misspelledWord().isEmpty())
        return menu;
    // The engine's menu starts with its suggestions (at most four), as the
    // word list gives them: the Korean one gives them in separate jamo, which
    // would go into the page that way. They are replaced by composed ones
    // under a caption.
    const QStringList engineSuggestions = request->spellCheckerSuggestions();
    const qsizetype engineCount = std::min<qsizetype>(engineSuggestions.size(), kMostSuggestions);
    QList<QAction *> actions = menu->actions();
    for (qsizetype i = 0; i < engineCount && i < actions.size(); ++i)
        delete actions.at(i);
    actions = menu->actions();
    QAction *before = actions.isEmpty() ? nullptr : actions.first();

    const QStringList suggestions = suggestionsOf(engineSuggestions, kMostSuggestions);
    auto *caption = new QAction(suggestions.isEmpty() ? noSuggestionsCaption() : suggestionsCaption(), menu);
    caption->setEnabled(false);
    menu->insertAction(before, caption);
    QPointer<QWebEngineView> target(view);
    for (const QString &suggestion : suggestions) {
        auto *action = new QAction(suggestion, menu);
        QObject::connect(action, &QAction::triggered, view, [target, suggestion] {
            if (target && target->page())
                target->page()->replaceMisspelledWord(suggestion);
        });
        menu->insertAction(before, action);
    }
    if (suggestions.isEmpty() && before && !before->isSeparator())
        menu->insertSeparator(before);
    return menu;
}

} // namespace platform::spellcheck
