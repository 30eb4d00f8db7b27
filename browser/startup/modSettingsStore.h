#pragma once

#include "platform/SettingsKeys.h"

#include <QList>
#include <QString>

#include <functional>
#include <utility>

class QWidget;

namespace platform {
class Environment;
struct Platform;
}

// Writes that must land whole: several settings keys in one replace of the
// settings file, and the start page with a report when it cannot be stored.
namespace modSettingsStore {

using Values = QList<std::pair<settings::Key, QString>>;

// Writes every value into the settings file in one atomic replace, under the
// file's lock: another reader sees the old file or the new one, never a part.
// interrupted(n), when given, is asked after the n-th value is applied and
// stops the write when it answers true (the file then stays as it was).
// False when nothing was written.
bool writeSettings(const platform::Environment &env, const Values &values,
                   const std::function<bool(int)> &interrupted = {});

// The file that stands in for the registry, for messages.
QString registryFile(platform::Platform &platform);

// Stores address as the start page. A failed write is told to the user, naming
// the file that could not be written; returns whether it was stored.
bool writeStartPage(platform::Platform &platform, QWidget *parent, const QString &address);

// The portal home page used as the default start page.
inline constexpr const char *kPortalHome = "https://www.daum.net/";

} // namespace modSettingsStore
