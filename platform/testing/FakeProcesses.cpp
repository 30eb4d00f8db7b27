#include "FakeProcesses.h"

namespace platform::testing {

QStringList FakeProcesses::names()
{
    ++m_listCount;
    return m_names;
}

int FakeProcesses::terminateAll(const QString &name)
{
    m_terminated.append(name);
    if (name.isEmpty() || m_protected.contains(name))
        return 0;
    return int(m_names.removeAll(name));
}

} // namespace platform::testing
