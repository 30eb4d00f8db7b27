#include "Settings.h"

#include "Folders.h"
#include "IniFile.h"
#include "Val.h"

#include <QFileInfo>

namespace platform::setting {

namespace {

// The table is indexed by Key, so its order must follow the enumeration.
constexpr bool tableFollowsEnum()
{
    for (std::size_t i = 0; i < settings::kKeys.size(); ++i) {
        if (settings::kKeys[i].key != settings::Key(i))
            return false;
    }
    return true;
}
static_assert(tableFollowsEnum(), "settings::kKeys must list the keys in the order of settings::Key");

} // namespace

QString text(const Environment &env, settings::Key key)
{
    const settings::KeyInfo &k = settings::info(key);
    return modINIControl::ReadIniValue(QLatin1String(k.section), QLatin1String(k.name),
                                       folders::settingsFile(env));
}

qint16 int16(const Environment &env, settings::Key key)
{
    return ValInt16(text(env, key));
}

qint32 int32(const Environment &env, settings::Key key)
{
    return ValInt32(text(env, key));
}

bool write(const Environment &env, settings::Key key, const QString &value)
{
    const settings::KeyInfo &k = settings::info(key);
    return modINIControl::WriteIniValue(QLatin1String(k.section), QLatin1String(k.name), value,
                                        folders::settingsFile(env));
}

bool fileExists(const Environment &env)
{
    return QFileInfo(folders::settingsFile(env)).isFile();
}

} // namespace platform::setting
