#include "IniRegistry.h"

#include "platform/IniFile.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

bool breaksLine(const QString &text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) || text.contains(QChar(0));
}

} // namespace

IniRegistry::IniRegistry()
    : IniRegistry(defaultFilePath())
{
}

IniRegistry::IniRegistry(const QString &filePath)
    : m_filePath(filePath)
{
}

QString IniRegistry::defaultFilePath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(base) + QStringLiteral("/vorlen/registry.ini");
}

QString IniRegistry::read(const QString &keyPath, const QString &valueName) const
{
    if (keyPath.trimmed().isEmpty() || valueName.trimmed().isEmpty())
        return {};
    return modINIControl::ReadIniValue(keyPath, valueName, m_filePath);
}

bool IniRegistry::write(const QString &keyPath, const QString &valueName, const QString &value)
{
    if (keyPath.trimmed().isEmpty() || valueName.trimmed().isEmpty())
        return false;
    if (breaksLine(keyPath) || breaksLine(valueName) || breaksLine(value)
        || keyPath.contains(QLatin1Char(']')) || valueName.contains(QLatin1Char('='))
        || valueName.trimmed().startsWith(QLatin1Char(';')) || valueName.trimmed().startsWith(QLatin1Char('[')))
        return false;
    if (!QDir().mkpath(QFileInfo(m_filePath).absolutePath()))
        return false;
    return modINIControl::WriteIniValue(keyPath, valueName, value, m_filePath);
}

} // namespace platform
