// The notepad folder without widgets: the document format, line ends,
// encodings, names that would leave the folder and failed writes.
#include "TempDir.h"
#include "browser/panels/NoteStore.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class NoteFiles : public ::testing::Test
{
protected:
    QString folder() const { return m_dir.file(QStringLiteral("Notepad")); }
    NoteStore store() const { return NoteStore(folder()); }
    QByteArray bytesOf(const QString &name) const
    {
        QFile f(folder() + u'/' + name + QStringLiteral(".stf"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    TestFolder m_dir;
};

TEST_F(NoteFiles, ThreeLinesRoundTripWithCrLfOnDisk)
{
    const QString text = QStringLiteral("첫 줄, \"인용\"\nsecond line\n셋째 줄");
    ASSERT_TRUE(store().save(QStringLiteral("메모"), text));
    EXPECT_EQ(bytesOf(QStringLiteral("메모")), QStringLiteral("첫 줄, \"인용\"\r\nsecond line\r\n셋째 줄\r\n").toUtf8());
    EXPECT_EQ(store().load(QStringLiteral("메모")), text);
}

TEST_F(NoteFiles, ADocumentHoldingCrLfIsSavedWithCrLfNotCrCrLf)
{
    // Text pasted from a Windows file keeps its CR LF pairs in the field.
    ASSERT_TRUE(store().save(QStringLiteral("붙여넣기"), QStringLiteral("하나\r\n둘\n셋")));
    const QByteArray bytes = bytesOf(QStringLiteral("붙여넣기"));
    EXPECT_FALSE(bytes.contains("\r\r")) << bytes.toStdString();
    EXPECT_EQ(bytes, QStringLiteral("하나\r\n둘\r\n셋\r\n").toUtf8());
    EXPECT_EQ(store().load(QStringLiteral("붙여넣기")).value_or(QString()), QStringLiteral("하나\n둘\n셋"));
}

TEST_F(NoteFiles, OpenAndSaveAgainDoesNotGrow)
{
    store().save(QStringLiteral("n"), QStringLiteral("a\nb\n"));
    const QByteArray first = bytesOf(QStringLiteral("n"));
    for (int i = 0; i < 3; ++i)
        store().save(QStringLiteral("n"), *store().load(QStringLiteral("n")));
    EXPECT_EQ(bytesOf(QStringLiteral("n")), first);
    EXPECT_EQ(store().load(QStringLiteral("n")), QStringLiteral("a\nb\n"));
    // An empty note stays empty.
    store().save(QStringLiteral("e"), QString());
    EXPECT_EQ(store().load(QStringLiteral("e")), QString());
}

TEST_F(NoteFiles, Cp949NotesRead)
{
    m_dir.write(QStringLiteral("Notepad/old.stf"), "\xB8\xDE\xB8\xF0 \xC7\xD1 \xC1\xD9\r\nsecond\r\n");
    EXPECT_EQ(store().load(QStringLiteral("old")), QStringLiteral("메모 한 줄\nsecond"));
}

TEST_F(NoteFiles, NamesListInOrderAndTheFolderComesBack)
{
    EXPECT_TRUE(store().names().isEmpty());
    EXPECT_TRUE(store().ensureFolder());
    store().save(QStringLiteral("b"), QStringLiteral("x"));
    store().save(QStringLiteral("A"), QStringLiteral("x"));
    m_dir.write(QStringLiteral("Notepad/other.txt"), "x");
    EXPECT_EQ(store().names(), (QStringList{"A", "b"}));
    EXPECT_TRUE(store().exists(QStringLiteral("A")));
    EXPECT_FALSE(store().exists(QStringLiteral("c")));

    QDir(folder()).removeRecursively();
    EXPECT_TRUE(store().ensureFolder());
    EXPECT_TRUE(QDir(folder()).exists());
}

TEST_F(NoteFiles, NamesThatWouldLeaveTheFolderAreRefused)
{
    const QString hostile[] = {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("../up"),
                               QStringLiteral("a/b"), QStringLiteral("..\\up"), QString::fromUtf16(u"x\0y", 3),
                               QStringLiteral("/tmp/abs")};
    store().ensureFolder();
    for (const QString &name : hostile) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(NoteStore::isValidName(name));
        EXPECT_FALSE(store().save(name, QStringLiteral("x")));
        EXPECT_FALSE(store().exists(name));
        EXPECT_FALSE(store().load(name));
        EXPECT_FALSE(store().remove(name));
    }
    EXPECT_TRUE(QDir(folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_FALSE(QFile::exists(m_dir.file(QStringLiteral("up.stf"))));
    EXPECT_TRUE(NoteStore::isValidName(QStringLiteral("회의 기록 (1)")));
}

TEST_F(NoteFiles, AFailedWriteReportsFalseAndKeepsTheOldDocument)
{
    store().save(QStringLiteral("n"), QStringLiteral("old"));
    m_dir.write(QStringLiteral("blocked"), "a file");
    EXPECT_FALSE(NoteStore(m_dir.file(QStringLiteral("blocked/Notepad"))).save(QStringLiteral("n"), QStringLiteral("x")));
    QDir().mkpath(folder() + QStringLiteral("/d.stf"));
    EXPECT_FALSE(store().save(QStringLiteral("d"), QStringLiteral("x")));
    EXPECT_EQ(store().load(QStringLiteral("n")), QStringLiteral("old"));
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"n.stf"});
}

} // namespace
