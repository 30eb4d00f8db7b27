// The search panel's result addresses as a table: engine and typed text to
// the exact address.
#include "browser/panels/SearchEngines.h"

#include <QSet>
#include <QUrl>
#include <QUrlQuery>

#include <gtest/gtest.h>

namespace {

TEST(SearchAddress, EngineAndTextGiveTheExactAddress)
{
    struct Row
    {
        SearchEngine engine;
        const char *text;
        const char *address;
    };
    const Row table[] = {
        {SearchEngine::Daum, "abc",
         "https://search.daum.net/search?nil_suggest=btn&nil_ch=&rtupcoll=&w=tot&m=&lpp=&q=abc"},
        {SearchEngine::Naver, "abc", "https://search.naver.com/search.naver?where=nexearch&query=abc&sm=top_hty&fbm=1"},
        {SearchEngine::Google, "abc",
         "https://www.google.co.kr/search?complete=1&hl=ko&newwindow=1&q=abc&lr=&aq=f&oq="},
        {SearchEngine::Bing, "abc", "https://www.bing.com/search?q=abc"},
        {SearchEngine::Yahoo, "abc", "https://search.yahoo.com/search?fr=kr-front_sb&KEY=&p=abc"},
        {SearchEngine::Nate, "abc", "https://search.nate.com/search/all.html?z=A&s=&tq=&sc=&afc=&thr=uss&q=abc"},
        {SearchEngine::Daum, "C&A", "https://search.daum.net/search?nil_suggest=btn&nil_ch=&rtupcoll=&w=tot&m=&lpp=&q=C%26A"},
        {SearchEngine::Bing, "#1 + 2%", "https://www.bing.com/search?q=%231%20%2B%202%25"},
        {SearchEngine::Naver, "한글", "https://search.naver.com/search.naver?where=nexearch&query=%ED%95%9C%EA%B8%80&sm=top_hty&fbm=1"},
        {SearchEngine::Google, "a=b&oq=x",
         "https://www.google.co.kr/search?complete=1&hl=ko&newwindow=1&q=a%3Db%26oq%3Dx&lr=&aq=f&oq="},
        {SearchEngine::Nate, "", "https://search.nate.com/search/all.html?z=A&s=&tq=&sc=&afc=&thr=uss&q="},
        {SearchEngine::Daum, "검색어를 입력 하십시오",
         "https://search.daum.net/search?nil_suggest=btn&nil_ch=&rtupcoll=&w=tot&m=&lpp=&q="
         "%EA%B2%80%EC%83%89%EC%96%B4%EB%A5%BC%20%EC%9E%85%EB%A0%A5%20%ED%95%98%EC%8B%AD%EC%8B%9C%EC%98%A4"},
    };
    for (const Row &r : table)
        EXPECT_EQ(searchAddress(r.engine, QString::fromUtf8(r.text)), QString::fromUtf8(r.address)) << r.text;
}

TEST(SearchAddress, EveryEngineCarriesExactlyTheTypedTextOverHttps)
{
    const char *texts[] = {"C&A", "#", "+", "%", "100% 한국어 검색", "a b\tc", "?x=1;y", "\"quoted\""};
    QSet<QString> hosts;
    for (const SearchEngineEntry &e : kSearchEngines) {
        hosts.insert(QString::fromLatin1(e.host.data(), qsizetype(e.host.size())));
        const QString query = QString::fromLatin1(e.query.data(), qsizetype(e.query.size()));
        const QString key = query.section(u'&', -1).chopped(1); // the last key, without "="
        for (const char *t : texts) {
            const QString text = QString::fromUtf8(t);
            const QUrl url(searchAddress(e.engine, text), QUrl::StrictMode);
            ASSERT_TRUE(url.isValid()) << t;
            EXPECT_EQ(url.scheme(), QStringLiteral("https"));
            EXPECT_EQ(url.host(), QString::fromLatin1(e.host.data(), qsizetype(e.host.size())));
            EXPECT_TRUE(url.fragment().isEmpty()) << t;
            const QUrlQuery q(url);
            EXPECT_EQ(q.queryItemValue(key, QUrl::FullyDecoded), text) << e.button << " " << t;
        }
    }
    EXPECT_EQ(hosts.size(), qsizetype(kSearchEngines.size()));
}

} // namespace
