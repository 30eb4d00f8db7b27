#include "FakePlatform.h"

namespace platform::testing {

FakePlatform::FakePlatform(const QString &root)
    : m_environment(root)
    , m_platform{m_environment, m_registry, m_system, m_processes, m_dialogs, m_browsers}
{
}

} // namespace platform::testing
