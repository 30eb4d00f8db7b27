#include "FakeRegistry.h"

namespace platform::testing {

QString FakeRegistry::id(const QString &keyPath, const QString &valueName)
{
    return keyPath.toCaseFolded() + QChar(0) + valueName.toCaseFolded();
}

QString FakeRegistry::read(const QString &keyPath, const QString &valueName) const
{
    ++m_readCount;
    return m_values.value(id(keyPath, valueName));
}

bool FakeRegistry::write(const QString &keyPath, const QString &valueName, const QString &value)
{
    m_writes.append({keyPath, valueName, value, !m_failWrites});
    if (m_failWrites)
        return false;
    m_values.insert(id(keyPath, valueName), value);
    return true;
}

void FakeRegistry::set(const QString &keyPath, const QString &valueName, const QString &value)
{
    m_values.insert(id(keyPath, valueName), value);
}

bool FakeRegistry::contains(const QString &keyPath, const QString &valueName) const
{
    return m_values.contains(id(keyPath, valueName));
}

} // namespace platform::testing
