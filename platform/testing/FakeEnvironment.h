#pragma once

#include "platform/Environment.h"

namespace platform::testing {

// Folders below one root: root/app, root/tmp, root/data, all created.
class FakeEnvironment : public Environment
{
public:
    explicit FakeEnvironment(const QString &root);

    QString applicationFolder() const override { return m_applicationFolder; }
    QString userName() const override { return m_userName; }
    QString tempFolder() const override { return m_tempFolder; }
    QString dataFolder() const override { return m_dataFolder; }

    void setUserName(const QString &name) { m_userName = name; }
    // Takes the folder as given; creates it when missing.
    void setApplicationFolder(const QString &folder);
    void setTempFolder(const QString &folder);

private:
    QString m_applicationFolder;
    QString m_tempFolder;
    QString m_dataFolder;
    QString m_userName = QStringLiteral("tester");
};

} // namespace platform::testing
