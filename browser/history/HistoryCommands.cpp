#include "HistoryCommands.h"

#include "AddressSuggestions.h"
#include "HistoryRecorder.h"
#include "HistoryStore.h"
#include "frmHistory.h"
#include "browser/core/TabSet.h"
#include "browser/core/VorlenApp.h"
#include "browser/core/WindowSlot.h"
#include "browser/panels/FavoriteStore.h"
#include "platform/Folders.h"

#include <QDir>
#include <QLineEdit>

#include <memory>

namespace {

QString databasePath(const platform::Environment &env)
{
    return QDir(platform::folders::profileFolder(env)).filePath(QStringLiteral("History.sqlite"));
}

QList<suggestions::Candidate> historyCandidates(HistoryStore &store, const QString &text)
{
    QList<suggestions::Candidate> list;
    for (const VisitedPlace &place : store.places(text))
        list.append(suggestions::Candidate{place.url, place.title, place.typed, place.visits, place.lastVisitMs, false});
    return list;
}

} // namespace

HistoryStore &installHistory(VorlenApp &app, const HistoryTargets &targets)
{
    QWidget &mainWindow = targets.mainWindow;
    auto *store = new HistoryStore(databasePath(app.environment()), &mainWindow);
    // A database that failed is said once a run; the history goes on in a new one.
    auto reported = std::make_shared<bool>(false);
    QObject::connect(store, &HistoryStore::movedAside, &mainWindow,
                     [&app, &mainWindow, reported](const QString &path, const QString &movedTo, const QString &) {
                         if (*reported)
                             return;
                         *reported = true;
                         const QString text = movedTo.isEmpty()
                             ? QStringLiteral("방문 기록 파일을 쓸 수 없어 이번에는 기록을 파일에 남기지 않습니다.\n%1").arg(path)
                             : QStringLiteral("방문 기록 파일이 손상되었거나 다른 프로그램이 쓰고 있어 옆으로 옮기고 새로 "
                                              "시작했습니다.\n%1")
                                   .arg(movedTo);
                         app.platform().dialogs.notice(&mainWindow, text, QStringLiteral("방문 기록"),
                                                       platform::MsgIcon::Exclamation);
                     });
    auto *recorder = new HistoryRecorder(targets.tabs, *store, targets.generated, store);

    auto *suggest = new AddressSuggestions(
        targets.addressBox,
        [&app, store](const QString &text, QList<suggestions::Candidate> &history,
                      QList<suggestions::Candidate> &marked) {
            history = historyCandidates(*store, text);
            // Read when asked: the favorites folder can change between keys.
            const FavoriteStore favorites(platform::folders::favoriteFolder(app.environment()));
            for (const FavoriteEntry &entry : favorites.list())
                marked.append(suggestions::Candidate{entry.favorite.address, entry.favorite.title, 0, 0, 0, true});
        },
        store);
    TabSet &tabs = targets.tabs;
    suggest->setOnEnter([recorder, &tabs] { recorder->markTyped(tabs.currentPage()); });

    auto slot = std::make_shared<WindowSlot<frmHistory>>();
    app.commands().define(Command::History, [&app, &mainWindow, store, slot] {
        const bool opening = !slot->isOpen();
        frmHistory &window = slot->open(&mainWindow, [&](QWidget *) {
            // A window of its own beside the main window, gone with it.
            auto *made = new frmHistory(app, *store, nullptr);
            attachToMainWindow(*made, mainWindow);
            return made;
        });
        if (!opening)
            window.rebuild();
        showCentred(window, mainWindow);
        window.SearchBox->setFocus();
    });
    return *store;
}
