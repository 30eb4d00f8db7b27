#pragma once

#include <QList>
#include <QString>

// What the address box offers while the user types: pure functions over the
// visited addresses and the favorites, no widgets and no files.
namespace suggestions {

inline constexpr int kMaxSuggestions = 8;

struct Candidate
{
    QString url;
    QString title;
    int typed = 0;          // times opened from the address box
    int visits = 0;
    qint64 lastVisitMs = 0; // 0 when never visited
    bool favorite = false;

    bool operator==(const Candidate &) const = default;
};

// The address as a user types it: without the scheme, "www." and a trailing "/".
QString typedForm(const QString &url);
// Every word of text is in the address or the title, case not minded.
bool matches(const Candidate &candidate, const QString &text);
// Higher is better: how the text meets the address (its beginning counts
// most), weighed by how often the address was typed, visited or kept as a
// favorite, and how recently it was visited.
double score(const Candidate &candidate, const QString &text, qint64 nowMs);
// The matches of text, best first, at most limit of them, each address once
// (a favorite that was also visited is one entry). Blank text offers nothing.
QList<Candidate> rank(const QList<Candidate> &history, const QList<Candidate> &favorites, const QString &text,
                      qint64 nowMs, int limit = kMaxSuggestions);

} // namespace suggestions
