#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh folder per test, removed when the test ends.
class TestFolder
{
public:
    TestFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    // Writes raw bytes into a file below the folder, creating sub-folders.
    QString write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir m_dir;
};
