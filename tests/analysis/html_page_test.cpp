#include <gtest/gtest.h>
#include <iconv.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "analysis/base64.h"
#include "analysis/html_page.h"
#include "analysis/page_figures.h"
#include "tests/support/png_pictures.h"

namespace {

const std::string fffd = "\xEF\xBF\xBD";

// Element tags open and close in order; a '<' that starts no tag fails, as does a text
// '<' that was not escaped.
bool balanced(const std::string& html, std::string& problem)
{
    const std::set<std::string> empty = {"meta", "img", "br", "hr", "link", "col"};
    std::vector<std::string> open;
    for (std::size_t i = html.find('<'); i != std::string::npos; i = html.find('<', i + 1)) {
        const std::size_t end = html.find('>', i);
        if (end == std::string::npos)
            return problem = "unclosed tag at " + std::to_string(i), false;
        if (html.compare(i, 2, "<!") == 0)
            continue;
        const bool closing = html[i + 1] == '/';
        const std::size_t start = i + 1 + closing;
        std::size_t length = 0;
        while (start + length < html.size() && std::isalnum(static_cast<unsigned char>(html[start + length])))
            length++;
        const std::string name = html.substr(start, length);
        if (name.empty())
            return problem = "a '<' that starts no tag at " + std::to_string(i), false;
        if (!closing && empty.count(name) == 0)
            open.push_back(name);
        if (closing && (open.empty() || open.back() != name))
            return problem = "</" + name + "> closes " + (open.empty() ? "nothing" : open.back()), false;
        if (closing)
            open.pop_back();
    }
    problem = open.empty() ? "" : "<" + open.back() + "> is not closed";
    return open.empty();
}

// glibc's iconv refuses ill-formed UTF-8 even from UTF-8 to UTF-8.
bool validUtf8(const std::string& s)
{
    iconv_t convert = iconv_open("UTF-8", "UTF-8");
    std::string in = s, out(s.size() * 2 + 8, '\0');
    char* from = in.data();
    char* to = out.data();
    std::size_t left = in.size(), room = out.size();
    const bool ok = iconv(convert, &from, &left, &to, &room) != std::size_t(-1) && left == 0;
    iconv_close(convert);
    return ok;
}

TEST(HtmlPageTest, TextIsEscapedAndMadeUtf8)
{
    const struct {
        std::string in, out;
    } cases[] = {
        {"a < b & c > \"d\" 'e'", "a &lt; b &amp; c &gt; &quot;d&quot; &#39;e&#39;"},
        {"Höhe 3 €, \xF0\x9F\x97\xBB\tok\n", "Höhe 3 €, \xF0\x9F\x97\xBB\tok\n"},  // kept as they are
        {"dem\xFF.asc", "dem" + fffd + ".asc"},
        {"\xC0\xAF", fffd + fffd},                 // an overlong '/': two bytes, no start
        {"x\xE2\x82", "x" + fffd},                 // a cut sequence is one replacement
        {"\xED\xA0\x80", fffd + fffd + fffd},      // a surrogate
        {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},  // above U+10FFFF
        {"\x01\x7F\xC2\x85", fffd + fffd + fffd},  // C0, DEL and C1 controls
        {"\xE2\x82\xAC\xE2", "\xE2\x82\xAC" + fffd},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(htmlText(c.in), c.out);
    }
}

TEST(HtmlPageTest, Base64OfTheStandardsVectors)
{
    const char* const cases[][2] = {{"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},     {"foo", "Zm9v"},
                                    {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        const std::string text = c[0];
        EXPECT_EQ(base64(std::vector<std::uint8_t>(text.begin(), text.end())), c[1]);
    }
    EXPECT_EQ(base64({0xFB, 0xFF, 0xBF}), "+/+/");
}

std::vector<std::uint8_t> unbase64(const std::string& text)
{
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<std::uint8_t> out;
    unsigned bits = 0, value = 0;
    for (char c : text) {
        if (c == '=')
            break;
        value = value << 6 | unsigned(alphabet.find(c));
        if ((bits += 6) >= 8)
            out.push_back(std::uint8_t(value >> (bits -= 8)));
    }
    return out;
}

// A page of every kind of block, with hostile names: it parses, says nothing as markup,
// is UTF-8, and carries each picture as a PNG that decodes to it.
TEST(HtmlPageTest, APageOfEveryBlock)
{
    Picture picture(3, 2, {10, 20, 30});
    picture.set(2, 1, {255, 0, 51});
    std::string why;
    std::optional<PageFigure> figure = pictureFigure(picture, "alt \"x\"", "cap <b>", why);
    ASSERT_TRUE(figure) << why;
    figure->xLabels = {{0, "-1"}, {1, "<1>"}};
    figure->legend = {{{255, 0, 51}, "> 3 & worse"}};
    PageDescription page;
    page.title = "Report </title><script>x</script>";
    page.subtitle = {"dem\xFF\xFE.asc"};
    page.sections = {{"Data", {PageKeyValues{"", {{"File", "a&b.asc"}}}, PageParagraph{"'quoted'", true}}},
                     {"Figures", {PageTable{"c", {{"Name", "Count"}}, {{"<3", "1,234"}, {"ok", "n/a"}}}, *figure}},
                     {"Places", {PageGallery{{*figure, *figure}}}}};
    page.footer = "made by \"karvo\"";
    const std::string html = htmlPage(page);

    std::string problem;
    EXPECT_TRUE(balanced(html, problem)) << problem;
    EXPECT_TRUE(validUtf8(html));
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_NE(html.find("dem" + fffd + fffd + ".asc"), std::string::npos);
    EXPECT_NE(html.find("<th class=\"n\">Count</th>"), std::string::npos);
    EXPECT_NE(html.find("<td class=\"n\">1,234</td>"), std::string::npos);
    EXPECT_NE(html.find("<td>&lt;3</td>"), std::string::npos);

    const std::string uri = "<img src=\"data:image/png;base64,";
    int images = 0;
    for (std::size_t at = html.find("<img"); at != std::string::npos; at = html.find("<img", at + 1)) {
        images++;
        ASSERT_EQ(html.compare(at, uri.size(), uri), 0);
        const std::size_t start = at + uri.size();
        const Picture decoded = decodePng(unbase64(html.substr(start, html.find('"', start) - start)));
        EXPECT_EQ(decoded.rgb, picture.rgb);
    }
    EXPECT_EQ(images, 3);
}

}  // namespace
