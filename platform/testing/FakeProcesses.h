#pragma once

#include "platform/Processes.h"

#include <QSet>

namespace platform::testing {

// A scripted process list. terminateAll removes the processes of that name from the
// list, except the protected ones, which stay and are not counted.
class FakeProcesses : public Processes
{
public:
    QStringList names() override;
    int terminateAll(const QString &name) override;

    void setNames(const QStringList &names) { m_names = names; }
    // Processes of this name cannot be ended (another user's, already gone).
    void protect(const QString &name) { m_protected.insert(name); }

    // Every terminateAll argument, in order.
    const QStringList &terminated() const { return m_terminated; }
    int listCount() const { return m_listCount; }

private:
    QStringList m_names;
    QSet<QString> m_protected;
    QStringList m_terminated;
    int m_listCount = 0;
};

} // namespace platform::testing
