#pragma once

#include <QString>

#include <optional>
#include <vector>

// One favorite: the three lines of its file.
struct Favorite
{
    QString title;
    QString explanation;
    QString address;
};

// One entry of the favorites folder: the file's base name (what opening,
// editing and deleting find the file by) and what the file holds.
struct FavoriteEntry
{
    QString fileBase;
    Favorite favorite;
};

// Rewrites a title so that it can be a file name: the characters a file name
// may not hold become look-alikes (":" a spaced "대", "<" "(", "|" "_", ...).
// The double quote becomes "'" so that such a title can still be saved.
QString favoriteTitleRule(const QString &title);

// The favorites folder: one file per favorite, named after its title + ".sfm",
// holding the title, the explanation and the address, one per line, CR LF ended,
// UTF-8. Files written in CP949 read as well. QtCore only, no widgets.
class FavoriteStore
{
public:
    explicit FavoriteStore(QString folder);

    const QString &folder() const { return m_folder; }

    // The file of a favorite, or nothing when the name cannot be a file name in
    // the folder (empty, ".", "..", separators, NUL).
    std::optional<QString> pathOf(const QString &fileBase) const;

    // Every favorite of the folder in name order (case not minded). Files that
    // cannot be read are left out; a missing folder lists nothing.
    std::vector<FavoriteEntry> list() const;
    std::optional<Favorite> read(const QString &fileBase) const;

    // Replaces the favorite's file atomically under fileBase (its title when
    // empty); creates the folder when missing. False when nothing was written.
    bool write(const Favorite &favorite, const QString &fileBase = {}) const;
    bool remove(const QString &fileBase) const;

    // The file contents for a favorite, and the favorite in file contents.
    static QByteArray encode(const Favorite &favorite);
    static Favorite decode(const QByteArray &bytes);

private:
    QString m_folder;
};
