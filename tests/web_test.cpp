// A link opens the page in headless Chromium: the console's report and SVG; typed text stays text.
#include "program.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

// The program, what is typed, and whether the vertices are named.
using Visit = std::tuple<std::string, std::string, bool>;

// General position; figures drawn at random once; each refusal row of the README; markup.
const Visit visits[] = {
    {"trimap",
     "1203.5 -417.25 1876.125 -102.75 1455.8 391.6 -2310.4 1502.7 -2795.15 2011.2 -1688.9 2240.35",
     true},
    {"paraquad", "16.5 -5.3 -15.8 19.1 0.4 7", true},
    {"trimap", "-76.18 0.50 2.36 72.00 -79.47 -55.34 20.21 11.31 56.67 9.56 46.11 53.62", false},
    {"paraquad", "50.21 17.30 -52.01 22.84 -77.85 63.35", true},
    {"trimap", "0 0 4 0 1,5", false},
    {"trimap", "0.5 0.5 2.5 1.5 6.5 3.5", false},
    {"trimap", "0 0 1e20 0 0 1e20", false},
    {"trimap", "0 0 4 0 1 3 5 1 8 2 6 nan", false},
    {"trimap", "0 0 4 0 1 3 3 -1 3 -1 7 2", false},
    {"trimap", "0 0 1 0 0 1 0 0 1e37 0 0 1e37", false},
    {"paraquad", "<img src=x onerror=alert(1)> <b>1</b>", false},
    {"paraquad", "-2 5 1 3.5 7 0.5", false},
    {"paraquad", "0 0 5.2e36 0 5.2e36 5.2e36", false},
};

// What stands between `open` and the `close` after it, each match of a pattern replaced.
std::string between(const std::string& text, const std::string& open, const std::string& close,
                    std::initializer_list<std::pair<const char*, const char*>> changes) {
    const std::size_t start = text.find(open) + open.size();
    std::string part = text.substr(start, text.find(close, start) - start);
    for (const auto& [pattern, replacement] : changes) {
        part = std::regex_replace(part, std::regex(pattern), replacement);
    }
    return part;
}

class Page : public testing::TestWithParam<Visit> {};

TEST_P(Page, ShowsWhatTheConsoleShows) {
    const auto& [program, input, names] = GetParam();
    // Spaces as a form sends them; the browser escapes the rest of what is typed.
    const std::string link = "'file://" WEB_PAGE "?program=" + program +
                             "&labels=" + (names ? "1" : "0") +
                             "&input=" + std::regex_replace(input, std::regex(" "), "+") + "'";
    const std::string chromium = "chromium --headless --no-sandbox --disable-gpu "
                                 "--user-data-dir=profile --virtual-time-budget=5000 --dump-dom ";
    // Virtual time does not wait for WebAssembly compiled off the main thread: so try again.
    const std::string notYet = "<pre id=\"report\"></pre>";
    std::string page = notYet;
    for (int tries = 0; tries < 5 && page.find(notYet) != std::string::npos; ++tries) {
        page = run(chromium + link, "").output;
    }
    ASSERT_NE(std::string::npos, page.find("<pre id=\"report\">"))
        << "no page at " WEB_PAGE "; scripts/web.sh builds it";
    const ScratchFolder folder;
    const Ran console = run((program == "trimap" ? TRIMAP_PATH : PARAQUAD_PATH) +
                                std::string(names ? " -l" : "") + " -o " + folder.path + "/p.svg",
                            input);
    EXPECT_EQ(std::regex_replace(console.output, std::regex("unesite [^\n]*\n"), ""),
              between(page, "<pre id=\"report\">", "</pre>", {{"&lt;", "<"}, {"&amp;", "&"}}));
    // The elements and texts, a line each, as a file and a serializer both write them.
    const std::initializer_list<std::pair<const char*, const char*>> elements = {
        {"<\\?xml[^>]*>|</[a-z]+>", ""}, {"\\s*/>", ">"}, {"\\s*(<|$)", "\n$1"}};
    EXPECT_EQ(between(contents(folder.path + "/p.svg"), "", "\1", elements),
              between(page, "<div id=\"picture\">", "</div>", elements));
    EXPECT_NE(std::string::npos, page.find(" href=\"?program=" + program + "&amp;input="));
    EXPECT_EQ(std::string::npos, page.find("<img"));
}

INSTANTIATE_TEST_SUITE_P(Visits, Page, testing::ValuesIn(visits));

} // namespace
