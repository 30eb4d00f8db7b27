#pragma once

#include <QString>
#include <QUrl>

namespace platform {

// Chromium's net::ERR_INVALID_URL: what NavigateError reports for an address
// that cannot be made into a URL.
constexpr int kErrInvalidUrl = -300;

// "about:" + text: the text is shown as the page.
bool isAboutAddress(const QString &address);

// How an address given to Navigate becomes a URL ("about:" text pages
// excluded): an empty address is about:blank, an absolute path opens the file,
// anything else is completed by QUrl::fromUserInput against workingDirectory.
// The result is invalid when the address cannot be made into a URL a page can
// be loaded from (plain words with blanks, a web address without a host).
QUrl urlFromAddress(const QString &address, const QString &workingDirectory);

// True when Navigate can load address; otherwise the navigation fails at once.
bool isNavigableAddress(const QString &address, const QString &workingDirectory);

} // namespace platform
