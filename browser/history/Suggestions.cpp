#include "Suggestions.h"

#include <QHash>

#include <algorithm>

namespace suggestions {

namespace {

constexpr qint64 kDayMs = 24LL * 60 * 60 * 1000;

QStringList wordsOf(const QString &text)
{
    return text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// Recent visits count more; the steps keep the order stable within a day.
double recency(const Candidate &c, qint64 nowMs)
{
    if (c.lastVisitMs <= 0)
        return c.favorite ? 0.5 : 0.1;
    const qint64 days = std::max<qint64>(0, nowMs - c.lastVisitMs) / kDayMs;
    if (days < 1)
        return 1.0;
    if (days < 4)
        return 0.8;
    if (days < 14)
        return 0.6;
    if (days < 31)
        return 0.4;
    if (days < 90)
        return 0.2;
    return 0.1;
}

bool wordStartIn(const QString &haystack, const QString &word)
{
    for (qsizetype at = haystack.indexOf(word, 0, Qt::CaseInsensitive); at >= 0;
         at = haystack.indexOf(word, at + 1, Qt::CaseInsensitive)) {
        if (at == 0 || !haystack.at(at - 1).isLetterOrNumber())
            return true;
    }
    return false;
}

QString keyOf(const QString &url)
{
    QString key = url.trimmed();
    if (key.endsWith(QLatin1Char('/')))
        key.chop(1);
    return key.toLower();
}

} // namespace

QString typedForm(const QString &url)
{
    QString form = url.trimmed();
    const qsizetype scheme = form.indexOf(QLatin1String("://"));
    if (scheme > 0)
        form = form.mid(scheme + 3);
    if (form.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        form = form.mid(4);
    if (form.endsWith(QLatin1Char('/')))
        form.chop(1);
    return form;
}

bool matches(const Candidate &candidate, const QString &text)
{
    const QStringList words = wordsOf(text);
    if (words.isEmpty())
        return false;
    return std::all_of(words.begin(), words.end(), [&](const QString &word) {
        return candidate.url.contains(word, Qt::CaseInsensitive) || candidate.title.contains(word, Qt::CaseInsensitive);
    });
}

double score(const Candidate &candidate, const QString &text, qint64 nowMs)
{
    const QString typed = text.trimmed();
    double meet = 1.0;
    if (typedForm(candidate.url).startsWith(typedForm(typed), Qt::CaseInsensitive)
        || candidate.url.startsWith(typed, Qt::CaseInsensitive))
        meet = 3.0;
    else if (wordStartIn(candidate.title, typed) || wordStartIn(typedForm(candidate.url), typed))
        meet = 1.5;
    const double weight = 1.0 + 3.0 * candidate.typed + candidate.visits + (candidate.favorite ? 4.0 : 0.0);
    return meet * weight * recency(candidate, nowMs);
}

QList<Candidate> rank(const QList<Candidate> &history, const QList<Candidate> &favorites, const QString &text,
                      qint64 nowMs, int limit)
{
    QList<Candidate> merged;
    QHash<QString, qsizetype> at;
    auto take = [&](Candidate c) {
        if (c.url.trimmed().isEmpty())
            return;
        const QString key = keyOf(c.url);
        const auto known = at.constFind(key);
        if (known == at.constEnd()) {
            at.insert(key, merged.size());
            merged.append(std::move(c));
            return;
        }
        Candidate &one = merged[*known];
        one.typed += c.typed;
        one.visits += c.visits;
        one.favorite = one.favorite || c.favorite;
        if (c.lastVisitMs > one.lastVisitMs)
            one.lastVisitMs = c.lastVisitMs;
        // The title the user gave a favorite is the one they know it by.
        if (c.favorite && !c.title.isEmpty())
            one.title = c.title;
        else if (one.title.isEmpty())
            one.title = c.title;
    };
    for (const Candidate &c : history)
        take(c);
    for (Candidate c : favorites) {
        c.favorite = true;
        take(std::move(c));
    }

    if (wordsOf(text).isEmpty())
        return {};
    QList<std::pair<double, Candidate>> scored;
    for (Candidate &c : merged) {
        if (matches(c, text))
            scored.append({score(c, text, nowMs), std::move(c)});
    }
    std::sort(scored.begin(), scored.end(), [](const auto &a, const auto &b) {
        if (a.first != b.first)
            return a.first > b.first;
        if (a.second.lastVisitMs != b.second.lastVisitMs)
            return a.second.lastVisitMs > b.second.lastVisitMs;
        if (a.second.url.size() != b.second.url.size())
            return a.second.url.size() < b.second.url.size();
        return a.second.url < b.second.url;
    });
    QList<Candidate> best;
    for (qsizetype i = 0; i < scored.size() && best.size() < limit; ++i)
        best.append(std::move(scored[i].second));
    return best;
}

} // namespace suggestions
