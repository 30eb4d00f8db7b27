#pragma once

#include <QString>

namespace platform {
struct Platform;
}

// The user's start page, as the registry stand-in holds it, and which of them
// the browser opens: web addresses, local files and the blank page. Anything
// else (script, data or markup addresses) would run or show whatever the value
// holds at every start, so it is refused.
namespace modStartPage {

enum class State { Missing, Usable, Refused };

State classify(const QString &address);

struct StartPage
{
    QString address;
    State state = State::Missing;
};
StartPage read(const platform::Platform &platform);

// The start page when it can be opened, otherwise empty.
QString usable(const platform::Platform &platform);

// The message for a refused start page.
QString refusedText(const QString &address);
inline constexpr const char *kRefusedTitle = "시작 페이지";

} // namespace modStartPage
