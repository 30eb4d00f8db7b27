#pragma once

#include <QMap>
#include <QString>

// The zoom level of each site the user zoomed, kept in a small file of the
// profile. The file is read afresh at each use and replaced whole on each
// change. It starts with a line naming its version; a file of another
// version, or one that is garbled, counts as empty, and lines that do not
// hold a valid site and level are left out, so nothing a file holds can make
// a page zoom past the ladder's ends or a line reach another site.
//
//   vorlen-zoom 1
//   example.com<TAB>125
//   file:<TAB>90
class ZoomStore
{
public:
    static constexpr int kMaxSites = 2000;
    static constexpr qint64 kMaxFileSize = 256 * 1024;

    explicit ZoomStore(QString path);

    // The key a page's address is kept under: its host in lower case for web
    // addresses, "file:" for local files, empty for pages that are not kept
    // (the program's own, about:, data:).
    static QString siteOf(const QString &address);
    static bool isValidSite(const QString &site);

    // The level kept for site; 0 when none.
    int level(const QString &site) const;
    // Keeps the level for site (0 forgets it); false when the file could not be written.
    bool setLevel(const QString &site, int percent) const;

    // Every site with its level, as the file holds them now.
    QMap<QString, int> levels() const;

    // The file's text for levels (for a test or a tool that writes one).
    static QByteArray serialize(const QMap<QString, int> &levels);
    static QMap<QString, int> parse(const QByteArray &bytes);

private:
    QString m_path;
};
