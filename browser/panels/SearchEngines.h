#pragma once

#include <QString>

#include <array>
#include <string_view>

// The web search engines of the search panel, in button order.
enum class SearchEngine { Daum, Naver, Google, Bing, Yahoo, Nate };

// One engine's result address: https://host + path + "?" + query + the typed
// text as the value of the query's last key + suffix.
struct SearchEngineEntry
{
    SearchEngine engine;
    std::string_view button;   // object name of its button
    std::string_view host;
    std::string_view path;
    std::string_view query;    // fixed keys, ending with the text's key and "="
    std::string_view suffix;   // fixed keys after the text, or empty
};

// The one table of engines and their hosts. The Korean Yahoo! search closed;
// its entry uses Yahoo!'s current search host with the same keys.
inline constexpr std::array<SearchEngineEntry, 6> kSearchEngines = {{
    {SearchEngine::Daum, "SearchDaumButton", "search.daum.net", "/search",
     "nil_suggest=btn&nil_ch=&rtupcoll=&w=tot&m=&lpp=&q=", ""},
    {SearchEngine::Naver, "SearchNaverButton", "search.naver.com", "/search.naver", "where=nexearch&query=",
     "&sm=top_hty&fbm=1"},
    {SearchEngine::Google, "SearchGoogleButton", "www.google.co.kr", "/search", "complete=1&hl=ko&newwindow=1&q=",
     "&lr=&aq=f&oq="},
    {SearchEngine::Bing, "SearchBingButton", "www.bing.com", "/search", "q=", ""},
    {SearchEngine::Yahoo, "SearchYahooButton", "search.yahoo.com", "/search", "fr=kr-front_sb&KEY=&p=", ""},
    {SearchEngine::Nate, "SearchNateButton", "search.nate.com", "/search/all.html",
     "z=A&s=&tq=&sc=&afc=&thr=uss&q=", ""},
}};

const SearchEngineEntry &searchEngineEntry(SearchEngine engine);

// The result address of an engine for the typed text, the text percent-encoded
// as a query value, so that "&", "#", "+", "%" and Korean text search for
// exactly what was typed.
QString searchAddress(SearchEngine engine, const QString &text);
