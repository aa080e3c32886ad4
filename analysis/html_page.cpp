#include "analysis/html_page.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "analysis/base64.h"

namespace {

// The whole style sheet. Colour swatches are drawn as borders, which print even where
// the browser leaves out backgrounds; labels around a picture are placed in percent of
// its box, so they follow it when it is scaled to the page.
const char* const styleSheet = R"(
*{box-sizing:border-box}
html{background:#eef1f5}
body{margin:24px auto;max-width:1200px;padding:36px 48px 28px;background:#fff;color:#1d232b;
font:15px/1.5 system-ui,-apple-system,"Segoe UI",Roboto,"Helvetica Neue",Arial,sans-serif;
box-shadow:0 1px 4px rgba(20,30,50,.12);border-radius:4px}
header{border-bottom:3px solid #2d5f8f;padding-bottom:12px;margin-bottom:8px}
h1{font-size:26px;margin:0 0 6px;color:#18324d;font-weight:650;letter-spacing:.01em}
header p{margin:0;color:#5a6675;font-size:13.5px}
nav{margin:14px 0 4px;font-size:14px}
nav ol{margin:0;padding-left:22px;columns:2;column-gap:40px}
nav a{color:#2d5f8f;text-decoration:none}
section{margin-top:30px}
h2{font-size:19px;color:#18324d;margin:0 0 12px;padding-bottom:4px;border-bottom:1px solid #d5dce5;font-weight:620}
p{margin:8px 0;max-width:72em}
p.note{font-size:13px;color:#5a6675}
table{border-collapse:collapse;margin:10px 0 18px;font-size:14px;min-width:40%}
caption{text-align:left;font-weight:600;padding:0 0 6px;color:#2f3b48}
th,td{padding:5px 14px 5px 10px;border-bottom:1px solid #e2e7ee;text-align:left;vertical-align:top}
thead th{background:#f0f3f7;border-bottom:2px solid #c9d2dd;font-weight:600}
tbody tr:nth-child(even) td{background:#fafbfd}
table.kv th{font-weight:500;color:#4a5563;white-space:nowrap;padding-right:28px}
td.n,th.n{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}
td{overflow-wrap:anywhere}
figure{margin:14px 0 24px}
figcaption{font-size:13.5px;color:#4a5563;margin-top:8px;max-width:72em}
figure img{display:block;max-width:100%;height:auto;border:1px solid #c9d2dd}
img.sharp{image-rendering:pixelated}
.plot{position:relative;display:inline-block;margin:4px 0 1.9em}
.plot img{border:0}
.plot span{position:absolute;font-size:12px;color:#4a5563;white-space:nowrap;font-variant-numeric:tabular-nums}
.plot .y{right:100%;padding-right:6px;transform:translateY(50%)}
.plot .x{top:100%;padding-top:3px;transform:translateX(-50%)}
.ytitle{font-size:12.5px;color:#4a5563;margin-left:.3em}
.plot.titled{margin-bottom:3.4em}
.plot .xt{top:100%;left:50%;transform:translateX(-50%);margin-top:1.6em;font-size:12.5px}
.xtitle{font-size:12.5px;color:#4a5563;margin:2px 0}
ul.legend{list-style:none;margin:8px 0 0;padding:0;font-size:13px;color:#2f3b48}
ul.legend li{display:inline-block;margin:2px 18px 2px 0;white-space:nowrap}
ul.legend i{display:inline-block;width:0;height:12px;border-left:14px solid;margin-right:6px;vertical-align:-1px;
outline:1px solid rgba(0,0,0,.25)}
.gallery{display:flex;flex-wrap:wrap;gap:18px 22px;margin:12px 0 20px}
.gallery figure{margin:0}
.gallery figcaption{font-size:12.5px}
footer{margin-top:36px;padding-top:10px;border-top:1px solid #d5dce5;font-size:12.5px;color:#6a7684}
@page{size:A4;margin:14mm 12mm}
@media print{
html{background:none}
body{margin:0;max-width:none;padding:0;box-shadow:none;font-size:10pt;
-webkit-print-color-adjust:exact;print-color-adjust:exact}
nav{display:none}
section{margin-top:18px}
h2{break-after:avoid;page-break-after:avoid}
table,figure,.gallery figure,header{break-inside:avoid;page-break-inside:avoid}
figure img{max-height:235mm;width:auto}
}
)";

// The length of the well-formed UTF-8 sequence at s[i], or the length of its maximal
// ill-formed start (at least 1) as a negative number.
int utf8Sequence(const std::string& s, std::size_t i)
{
    const unsigned char b = static_cast<unsigned char>(s[i]);
    int length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (b >= 0xC2 && b <= 0xDF)
        length = 2;
    else if (b >= 0xE0 && b <= 0xEF)
        length = 3, low = b == 0xE0 ? 0xA0 : 0x80, high = b == 0xED ? 0x9F : 0xBF;
    else if (b >= 0xF0 && b <= 0xF4)
        length = 4, low = b == 0xF0 ? 0x90 : 0x80, high = b == 0xF4 ? 0x8F : 0xBF;
    else
        return -1;
    for (int k = 1; k < length; k++) {
        const unsigned char next = i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0;
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
            return -k;
    }
    return length;
}

const char* const replacement = "\xEF\xBF\xBD";

// Digits with an optional sign, commas, point, exponent and trailing percent sign.
bool looksNumeric(const std::string& s)
{
    std::size_t i = 0, digits = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        i++;
    for (; i < s.size() && (std::isdigit(static_cast<unsigned char>(s[i])) || s[i] == ',' || s[i] == '.'); i++)
        digits += std::isdigit(static_cast<unsigned char>(s[i])) != 0;
    if (digits > 0 && i + 1 < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1 + (s[i + 1] == '-' || s[i + 1] == '+');
        const std::size_t start = j;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
            j++;
        if (j > start)
            i = j;
    }
    if (i < s.size() && s[i] == '%')
        i++;
    return digits > 0 && i == s.size();
}

std::string percent(double fraction)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f%%", fraction * 100);
    return text;
}

// A column is set flush right when every body cell of it that holds a figure reads as a
// number; "", "n/a" and "-" hold none.
std::vector<bool> numericColumns(const std::vector<std::vector<std::string>>& body)
{
    std::vector<int> state;  // per column: 0 no figure yet, 1 numbers only, -1 text seen
    for (const auto& row : body) {
        if (state.size() < row.size())
            state.resize(row.size(), 0);
        for (std::size_t i = 0; i < row.size(); i++) {
            const std::string& cell = row[i];
            if (cell.empty() || cell == "n/a" || cell == "-" || state[i] < 0)
                continue;
            state[i] = looksNumeric(cell) ? 1 : -1;
        }
    }
    std::vector<bool> numeric;
    for (int s : state)
        numeric.push_back(s > 0);
    return numeric;
}

void writeRow(std::string& out, const std::vector<std::string>& cells, const char* tag,
              const std::vector<bool>& numeric)
{
    out += "<tr>";
    for (std::size_t i = 0; i < cells.size(); i++) {
        const bool right = i < numeric.size() && numeric[i];
        out += std::string("<") + tag + (right ? " class=\"n\">" : ">") + htmlText(cells[i]) + "</" + tag + ">";
    }
    out += "</tr>\n";
}

void writeBlock(std::string& out, const PageParagraph& p)
{
    out += (p.note ? "<p class=\"note\">" : "<p>") + htmlText(p.text) + "</p>\n";
}

void writeBlock(std::string& out, const PageKeyValues& t)
{
    out += "<table class=\"kv\">\n";
    if (!t.caption.empty())
        out += "<caption>" + htmlText(t.caption) + "</caption>\n";
    out += "<tbody>\n";
    for (const auto& row : t.rows)
        out += "<tr><th scope=\"row\">" + htmlText(row.first) + "</th><td>" + htmlText(row.second) + "</td></tr>\n";
    out += "</tbody></table>\n";
}

void writeBlock(std::string& out, const PageTable& t)
{
    out += "<table>\n";
    if (!t.caption.empty())
        out += "<caption>" + htmlText(t.caption) + "</caption>\n";
    const std::vector<bool> numeric = numericColumns(t.body);
    if (!t.head.empty()) {
        out += "<thead>\n";
        for (const auto& row : t.head)
            writeRow(out, row, "th", numeric);
        out += "</thead>\n";
    }
    out += "<tbody>\n";
    for (const auto& row : t.body)
        writeRow(out, row, "td", numeric);
    out += "</tbody></table>\n";
}

std::size_t characters(const std::string& utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The box that holds a picture and its axis labels, with room on the left for the longest
// count label (a figure is about 0.6 em wide).
std::string plotBox(const PageFigure& f)
{
    std::size_t longest = 0;
    for (const AxisLabel& l : f.yLabels)
        longest = std::max(longest, characters(l.text));
    const double room = 0.6 * double(longest) + 0.8;
    char style[96];
    std::snprintf(style, sizeof style, " style=\"margin-left:%.1fem;max-width:calc(100%% - %.1fem)\">", room, room);
    return std::string(f.xTitle.empty() ? "<div class=\"plot\"" : "<div class=\"plot titled\"") + style;
}

void writePicture(std::string& out, const PageFigure& f)
{
    const bool axes = !f.xLabels.empty() || !f.yLabels.empty();
    if (!f.yTitle.empty())
        out += "<div class=\"ytitle\">" + htmlText(f.yTitle) + "</div>\n";
    if (axes)
        out += plotBox(f);
    out += "<img src=\"data:image/png;base64," + base64(f.png) + "\" width=\"" + std::to_string(f.width) +
           "\" height=\"" + std::to_string(f.height) + "\" alt=\"" + htmlText(f.alt) + "\"" +
           (f.sharp ? " class=\"sharp\"" : "") + ">";
    if (!axes) {
        if (!f.xTitle.empty())
            out += "<div class=\"xtitle\">" + htmlText(f.xTitle) + "</div>";
        out += "\n";
        return;
    }
    for (const AxisLabel& l : f.yLabels)
        out += "<span class=\"y\" style=\"bottom:" + percent(l.at) + "\">" + htmlText(l.text) + "</span>";
    for (const AxisLabel& l : f.xLabels)
        out += "<span class=\"x\" style=\"left:" + percent(l.at) + "\">" + htmlText(l.text) + "</span>";
    if (!f.xTitle.empty())
        out += "<span class=\"xt\">" + htmlText(f.xTitle) + "</span>";
    out += "</div>\n";
}

void writeBlock(std::string& out, const PageFigure& f)
{
    out += "<figure>\n";
    writePicture(out, f);
    if (!f.legend.empty()) {
        out += "<ul class=\"legend\">";
        for (const Swatch& s : f.legend)
            out += "<li><i style=\"border-color:" + cssColour(s.colour) + "\"></i>" + htmlText(s.label) + "</li>";
        out += "</ul>\n";
    }
    if (!f.caption.empty())
        out += "<figcaption>" + htmlText(f.caption) + "</figcaption>\n";
    out += "</figure>\n";
}

void writeBlock(std::string& out, const PageGallery& g)
{
    out += "<div class=\"gallery\">\n";
    for (const PageFigure& f : g.figures)
        writeBlock(out, f);
    out += "</div>\n";
}

void writeContents(std::string& out, const std::vector<PageSection>& sections)
{
    if (sections.size() < 3)
        return;
    out += "<nav><ol>\n";
    for (std::size_t i = 0; i < sections.size(); i++)
        out += "<li><a href=\"#s" + std::to_string(i + 1) + "\">" + htmlText(sections[i].heading) + "</a></li>\n";
    out += "</ol></nav>\n";
}

}  // namespace

std::string htmlText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            switch (b) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default:
                if ((b < 0x20 && b != '\t' && b != '\n' && b != '\r') || b == 0x7F)
                    out += replacement;
                else
                    out += static_cast<char>(b);
            }
            i++;
            continue;
        }
        const int length = utf8Sequence(text, i);
        // U+0080 to U+009F, the C1 controls, are C2 80 to C2 9F.
        const bool control = length == 2 && b == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0;
        if (length < 0 || control)
            out += replacement;
        else
            out.append(text, i, static_cast<std::size_t>(length));
        i += static_cast<std::size_t>(length < 0 ? -length : length);
    }
    return out;
}

std::string htmlPage(const PageDescription& page)
{
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
                      htmlText(page.title) + "</title>\n<style>" + styleSheet + "</style>\n</head>\n<body>\n";
    out += "<header>\n<h1>" + htmlText(page.title) + "</h1>\n";
    for (const std::string& line : page.subtitle)
        out += "<p>" + htmlText(line) + "</p>\n";
    out += "</header>\n";
    writeContents(out, page.sections);
    for (std::size_t i = 0; i < page.sections.size(); i++) {
        out += "<section id=\"s" + std::to_string(i + 1) + "\">\n<h2>" + htmlText(page.sections[i].heading) + "</h2>\n";
        for (const PageBlock& block : page.sections[i].blocks)
            std::visit([&out](const auto& b) { writeBlock(out, b); }, block);
        out += "</section>\n";
    }
    if (!page.footer.empty())
        out += "<footer>" + htmlText(page.footer) + "</footer>\n";
    return out + "</body>\n</html>\n";
}
