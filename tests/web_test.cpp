// The page in a real browser, Debian's headless Chromium, opened from file:// through a link, the
// way a teacher sends a figure: its report is the console's for the same numbers, its picture
// holds the console's SVG elements, the names of the vertices are there when asked, and what a
// user types stays text.
#include "program.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>

namespace {

struct Visit {
    std::string program, input;
    bool labels = false;
};

void PrintTo(const Visit& v, std::ostream* os) {
    *os << v.program << " " << v.input << (v.labels ? " --labels" : "");
}

// General position, every refusal of the README's table for each figure, markup, and figures
// drawn at random once.
std::vector<Visit> visits() {
    std::vector<Visit> list = {
        {"trimap",
         "1203.5 -417.25 1876.125 -102.75 1455.8 391.6 -2310.4 1502.7 -2795.15 2011.2 "
         "-1688.9 2240.35",
         true},
        {"trimap", "-4.6 -0.8 -1.3 8.4 3.7 2.9 12.25 -6.5 19.75 3.125 7.5 0.375"},
        {"paraquad", "16.5 -5.3 -15.8 19.1 0.4 7", true},
        {"paraquad", "2250.5 987.4 1896.7 1210.1 1502.3 733.6"},
        {"trimap", "0 0 4 0 1,5"},                   // ABC not six numbers
        {"trimap", "0.5 0.5 2.5 1.5 6.5 3.5"},       // ABC collinear
        {"trimap", "0 0 1e20 0 0 1e20"},             // ABC out of range
        {"trimap", "0 0 4 0 1 3 5 1 8 2 6 nan"},     // A'B'C' not six finite numbers
        {"trimap", "0 0 4 0 1 3 3 -1 3 -1 7 2"},     // A'B'C' collinear
        {"trimap", "0 0 1 0 0 1 0 0 1e37 0 0 1e37"}, // A'B'C' out of range
        {"paraquad", "1 1 5 2 inf 5"},               // not six finite numbers
        {"paraquad", "-2 5 1 3.5 7 0.5"},            // collinear
        {"paraquad", "0 0 5.2e36 0 5.2e36 5.2e36"},  // out of range
        {"paraquad", "<img src=x onerror=alert(1)> <b>1</b>"},
    };
    std::mt19937 random(2026);
    std::uniform_int_distribution<int> coordinate(-9999, 9999);
    for (int i = 0; i < 6; ++i) {
        std::string input;
        for (int k = 0; k < (i % 2 ? 6 : 12); ++k) {
            input += std::to_string(coordinate(random) / 100.0).substr(0, 6) + " ";
        }
        list.push_back({i % 2 ? "paraquad" : "trimap", input, i % 3 == 0});
    }
    return list;
}

// The page's document once it has computed the figure, opened through a link to it. The browser
// compiles the WebAssembly off its main thread, which its virtual time does not wait for, so that
// a document taken too soon is taken again.
std::string visited(const Visit& v) {
    std::string query = "program=" + v.program + "&labels=" + (v.labels ? "1" : "0") + "&input=";
    for (const char c : v.input) {
        char escaped[4];
        std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
        query += std::isalnum(static_cast<unsigned char>(c)) ? std::string(1, c) : escaped;
    }
    const std::string notYet = "<pre id=\"report\"></pre>";
    std::string page = notYet;
    for (int tries = 0; tries < 5 && page.find(notYet) != std::string::npos; ++tries) {
        const ScratchFolder profile;
        page = run("chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
                   "--disable-background-networking --disable-component-update --disable-sync "
                   "--user-data-dir=" +
                       profile.path +
                       " --virtual-time-budget=5000 --dump-dom "
                       "'file://" WEB_PAGE "?" +
                       query + "'",
                   "")
                   .output;
    }
    return page;
}

// What stands between `open` and the `close` after it.
std::string between(const std::string& text, const std::string& open, const std::string& close) {
    const std::size_t start = text.find(open);
    if (start == std::string::npos) {
        return "missing " + open;
    }
    return text.substr(start + open.size(), text.find(close, start) - start - open.size());
}

// The elements and their texts, as an SVG file and a document's serializer both write them.
std::string elements(std::string svg) {
    for (const auto& [pattern, replacement] :
         {std::pair{"<\\?xml[^>]*>|</[a-z]+>", ""}, {"\\s*/>", ">"}, {"\\s*(<|$)", "$1"}}) {
        svg = std::regex_replace(svg, std::regex(pattern), replacement);
    }
    return svg;
}

class Page : public testing::TestWithParam<Visit> {};

TEST_P(Page, ShowsWhatTheConsoleShows) {
    const Visit& v = GetParam();
    const std::string page = visited(v);
    ASSERT_NE(std::string::npos, page.find("<pre id=\"report\">"))
        << "no page at " WEB_PAGE "; scripts/web.sh builds it";
    const std::string program = v.program == "trimap" ? TRIMAP_PATH : PARAQUAD_PATH;
    const ScratchFolder folder;
    const std::string picture = folder.path + "/p.svg";
    const Ran console = run(program + (v.labels ? " --labels" : "") + " -o " + picture, v.input);
    const std::string report =
        std::regex_replace(console.output, std::regex("unesite [^\n]*\n"), "");
    const std::string shown = std::regex_replace(
        std::regex_replace(between(page, "<pre id=\"report\">", "</pre>"), std::regex("&lt;"), "<"),
        std::regex("&amp;"), "&");
    EXPECT_EQ(report, shown);
    // Compared to the first difference, which says more than two pages of SVG.
    const std::string want = elements(contents(picture)),
                      got = elements(between(page, "<div id=\"picture\">", "</div>"));
    const auto differ = std::mismatch(want.begin(), want.end(), got.begin(), got.end());
    EXPECT_TRUE(differ.first == want.end() && differ.second == got.end())
        << "the SVG's elements differ from " << std::string(differ.first, want.end()).substr(0, 160)
        << "\nthe page's: " << std::string(differ.second, got.end()).substr(0, 160);
    // A link that opens the figure again.
    EXPECT_NE(std::string::npos, page.find(" href=\"?program=" + v.program + "&amp;input="));
    // Nothing typed became markup.
    EXPECT_EQ(std::string::npos, page.find("<img"));
    EXPECT_EQ(std::string::npos, page.find("<b>"));
}

INSTANTIATE_TEST_SUITE_P(Visits, Page, testing::ValuesIn(visits()));

} // namespace
