#pragma once

#include "platform/Registry.h"

#include <QList>
#include <QMap>

namespace platform::testing {

// An in-memory registry. Names match without regard to case, as in the registry.
class FakeRegistry : public Registry
{
public:
    struct Write
    {
        QString keyPath;
        QString valueName;
        QString value;
        bool stored = false;
    };

    QString read(const QString &keyPath, const QString &valueName) const override;
    bool write(const QString &keyPath, const QString &valueName, const QString &value) override;

    // Sets a value without recording a write (the state before the test acts).
    void set(const QString &keyPath, const QString &valueName, const QString &value);
    bool contains(const QString &keyPath, const QString &valueName) const;
    // Shortcuts for the start page value.
    QString startPage() const { return read(kStartPageKey, kStartPageValue); }
    void setStartPage(const QString &address) { set(kStartPageKey, kStartPageValue, address); }

    // Every write asked for, stored or not, in order.
    const QList<Write> &writes() const { return m_writes; }
    // Writes fail (return false and change nothing) while set.
    void setFailWrites(bool fail) { m_failWrites = fail; }
    int readCount() const { return m_readCount; }

private:
    static QString id(const QString &keyPath, const QString &valueName);

    QMap<QString, QString> m_values;
    QList<Write> m_writes;
    bool m_failWrites = false;
    mutable int m_readCount = 0;
};

} // namespace platform::testing
