#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestFolder::TestFolder()
    : m_dir(QDir::tempPath() + "/t-XXXXXX")
{
}

QString TestFolder::write(const QString &name, const QByteArray &bytes) const
{
    const QString p = file(name);
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile f(p);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return p;
}

QByteArray TestFolder::read(const QString &name) const
{
    QFile f(name.startsWith('/') ? name : file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
