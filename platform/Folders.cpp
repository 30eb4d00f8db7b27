#include "Folders.h"

#include "Environment.h"
#include "FileIO.h"

namespace platform::folders {

namespace {

// The user name becomes a path component; a name that could leave the
// UserData folder (".." or one with a separator) is mapped to a harmless one.
QString userComponent(const Environment &env)
{
    QString user = env.userName();
    if (isSafeFileName(user))
        return user;
    for (QChar &c : user) {
        if (c == u'/' || c == u'\\' || c.unicode() == 0)
            c = u'_';
    }
    if (user.isEmpty() || user == QLatin1String(".") || user == QLatin1String(".."))
        user = QStringLiteral("_");
    return user;
}

} // namespace

QString themeFolder(const Environment &env)
{
    return env.applicationFolder() + QLatin1String("/Ambrel");
}

QString profileFolder(const Environment &env)
{
    return env.applicationFolder() + QLatin1String("/UserData/") + userComponent(env);
}

QString settingsFile(const Environment &env)
{
    return profileFolder(env) + QLatin1String("/Setting.ini");
}

QString favoriteFolder(const Environment &env)
{
    return profileFolder(env) + QLatin1String("/Favorite");
}

QString notepadFolder(const Environment &env)
{
    return profileFolder(env) + QLatin1String("/Notepad");
}

QString profileTempFolder(const Environment &env)
{
    return profileFolder(env) + QLatin1String("/Temp");
}

QString engineFolder(const Environment &env)
{
    return profileFolder(env) + QLatin1String("/Engine");
}

} // namespace platform::folders
