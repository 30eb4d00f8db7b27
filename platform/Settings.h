#pragma once

#include "SettingsKeys.h"

#include <QString>
#include <QtGlobal>

namespace platform {

class Environment;

// Reads and writes the current user's settings file. Nothing is cached: every
// call reads the file as it is on disk now.
namespace setting {

QString text(const Environment &env, settings::Key key);
qint16 int16(const Environment &env, settings::Key key);   // Val, 0 when it does not fit
qint32 int32(const Environment &env, settings::Key key);
bool write(const Environment &env, settings::Key key, const QString &value);
bool fileExists(const Environment &env);

} // namespace setting
} // namespace platform
