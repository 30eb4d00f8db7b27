#include "FakeEnvironment.h"

#include <QDir>

namespace platform::testing {

FakeEnvironment::FakeEnvironment(const QString &root)
{
    const QString base = QDir::cleanPath(root);
    setApplicationFolder(base + QStringLiteral("/app"));
    setTempFolder(base + QStringLiteral("/tmp"));
    m_dataFolder = base + QStringLiteral("/data");
    QDir().mkpath(m_dataFolder);
}

void FakeEnvironment::setApplicationFolder(const QString &folder)
{
    m_applicationFolder = QDir::cleanPath(folder);
    QDir().mkpath(m_applicationFolder);
}

void FakeEnvironment::setTempFolder(const QString &folder)
{
    m_tempFolder = QDir::cleanPath(folder);
    QDir().mkpath(m_tempFolder);
}

} // namespace platform::testing
