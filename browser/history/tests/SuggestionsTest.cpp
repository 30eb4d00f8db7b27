// The ranking of the address suggestions, as a table.
#include "browser/history/Suggestions.h"

#include <gtest/gtest.h>

namespace {

using suggestions::Candidate;

constexpr qint64 kNow = 1765250000000;
constexpr qint64 kDay = 24LL * 60 * 60 * 1000;

Candidate visited(const QString &url, const QString &title, int visits, int typed, qint64 daysAgo)
{
    return Candidate{url, title, typed, visits, kNow - daysAgo * kDay - 1000, false};
}

Candidate favorite(const QString &url, const QString &title)
{
    return Candidate{url, title, 0, 0, 0, true};
}

struct Row
{
    const char *what;
    QList<Candidate> history;
    QList<Candidate> favorites;
    QString text;
    QStringList expected;  // the addresses offered, in order
};

QStringList urls(const QList<Candidate> &list)
{
    QStringList out;
    for (const Candidate &c : list)
        out << c.url;
    return out;
}

TEST(Suggestions, RankTable)
{
    QList<Candidate> twelve;
    for (int i = 0; i < 12; ++i)
        twelve << visited(QStringLiteral("https://site%1.test/").arg(i, 2, 10, QLatin1Char('0')), "사이트", 1 + i, 0, 0);

    const Row rows[] = {
        {"typing counts more than visiting",
         {visited("https://b.test/x", "", 10, 0, 0), visited("https://a.test/x", "", 3, 3, 0)}, {}, "x",
         {"https://a.test/x", "https://b.test/x"}},
        {"a recent visit goes before an old one",
         {visited("https://old.test/", "", 5, 1, 60), visited("https://new.test/", "", 5, 1, 0)}, {}, "test",
         {"https://new.test/", "https://old.test/"}},
        {"the beginning of the address counts most",
         {visited("https://blog.test/navigation", "Navigation blog", 2, 0, 0), visited("https://www.naver.com/", "", 1, 0, 0)},
         {}, "nav", {"https://www.naver.com/", "https://blog.test/navigation"}},
        {"a typed scheme and www are the address too",
         {visited("https://zz.test/naver", "", 3, 0, 0), visited("https://www.naver.com/", "", 1, 0, 0)}, {},
         "https://www.nav", {"https://www.naver.com/"}},
        {"Hangul in the title",
         {visited("https://news.test/", "네이버 뉴스", 1, 0, 0), visited("https://mail.test/", "네이버 메일", 1, 0, 1)}, {},
         "뉴스", {"https://news.test/"}},
        {"every word must match, case not minded",
         {visited("https://news.test/", "네이버 뉴스", 1, 0, 0), visited("https://mail.test/", "네이버 메일", 1, 0, 0)}, {},
         "NEWS 네이버", {"https://news.test/"}},
        {"a favorite that was visited is one entry",
         {visited("https://kim.test/", "kim's page", 1, 0, 3)}, {favorite("https://kim.test", "김 씨의 누리집")}, "kim",
         {"https://kim.test/"}},
        {"a favorite never visited is offered after what is used",
         {visited("https://daum.test/x", "", 6, 2, 0)}, {favorite("https://daum.test/fav", "다음 즐겨찾기")}, "daum",
         {"https://daum.test/x", "https://daum.test/fav"}},
        {"at most eight, the best ones", twelve, {}, "site",
         {"https://site11.test/", "https://site10.test/", "https://site09.test/", "https://site08.test/",
          "https://site07.test/", "https://site06.test/", "https://site05.test/", "https://site04.test/"}},
        {"blank text offers nothing", {visited("https://a.test/", "", 1, 0, 0)}, {}, "   ", {}},
        {"what does not match is left out", {visited("https://a.test/", "에이", 1, 0, 0)}, {favorite("https://b.test/", "비")},
         "zzz", {}},
        {"an empty address is never offered", {visited("", "빈 주소", 3, 3, 0)}, {favorite(" ", "빈 즐겨찾기")}, "빈", {}},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(urls(suggestions::rank(row.history, row.favorites, row.text, kNow)), row.expected) << row.what;
    }
}

TEST(Suggestions, AMergedFavoriteKeepsItsTitleAndTheVisitCounts)
{
    const QList<Candidate> best = suggestions::rank({visited("https://kim.test/", "kim's page", 4, 2, 0)},
                                                    {favorite("https://KIM.test", "김 씨의 누리집")}, "누리집", kNow);
    ASSERT_EQ(best.size(), 1) << "found by the favorite's title, the same address in another case";
    EXPECT_TRUE(best[0].favorite);
    EXPECT_EQ(best[0].title, "김 씨의 누리집");
    EXPECT_EQ(best[0].visits, 4);
    EXPECT_EQ(best[0].typed, 2);
}

TEST(Suggestions, TypedForm)
{
    EXPECT_EQ(suggestions::typedForm("https://www.naver.com/"), "naver.com");
    EXPECT_EQ(suggestions::typedForm("http://a.test/b/"), "a.test/b");
    EXPECT_EQ(suggestions::typedForm("file:///home/kim/a.html"), "/home/kim/a.html");
    EXPECT_EQ(suggestions::typedForm("naver"), "naver");
}

} // namespace
