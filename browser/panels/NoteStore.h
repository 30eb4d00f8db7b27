#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The notepad folder: one plain text file per document, named after the
// document + ".stf". Saving writes the text and one CR LF in UTF-8 and replaces
// the file atomically; loading drops that one line end again, so a document
// opened and saved again keeps its length. Lines end with CR LF on disk and LF
// in memory. CP949 documents read as well.
// QtCore only, no widgets.
class NoteStore
{
public:
    explicit NoteStore(QString folder);

    const QString &folder() const { return m_folder; }

    // Whether a typed name can name a document inside the folder: not empty,
    // not "." or "..", no path separator, no NUL.
    static bool isValidName(const QString &name);
    // The document's file, or nothing for a name that is not valid.
    std::optional<QString> pathOf(const QString &name) const;

    // Creates the folder when missing; false when it still does not exist.
    bool ensureFolder() const;
    // The document names in name order (case not minded).
    QStringList names() const;
    bool exists(const QString &name) const;
    std::optional<QString> load(const QString &name) const;
    bool save(const QString &name, const QString &text) const;
    bool remove(const QString &name) const;

    static QByteArray encode(const QString &text);
    static QString decode(const QByteArray &bytes);

private:
    QString m_folder;
};
