#pragma once
// A report as one self-contained HTML page: inline CSS, pictures as PNG data inside the
// page, no script and nothing fetched, so that the file can be mailed as it is. The page
// reads at 1280 pixels wide and prints on A4 without splitting a table or a figure.
//
// The caller describes the page (title, sections, each a list of blocks) and htmlPage
// writes it. Every text of the description is written as text, never as markup: it is
// escaped, and bytes that are not UTF-8 become U+FFFD, so a file name can hold anything.

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "analysis/picture.h"

struct PageParagraph {
    std::string text;
    bool note = false;  // set smaller and grey: explanations, caveats
};

// Names and values in two columns, e.g. the data set's description.
struct PageKeyValues {
    std::string caption;  // "" for none
    std::vector<std::pair<std::string, std::string>> rows;
};

// A table of figures. A column whose body cells all read as numbers (digits, with a sign,
// a decimal point, thousands commas, an exponent or a trailing % as they come; cells "",
// "n/a" and "-" aside) is set flush right, its heading too.
struct PageTable {
    std::string caption;
    std::vector<std::vector<std::string>> head;  // header rows
    std::vector<std::vector<std::string>> body;
};

// A picture. Labels along the axes stand at their fraction of the picture's width or
// height (see AxisLabel); the legend lists colours and what they mean.
struct PageFigure {
    std::vector<std::uint8_t> png;  // the picture, PNG-encoded
    int width = 0, height = 0;      // its size in pixels
    std::string alt;                // what it shows, for readers that cannot see it
    std::string caption;
    std::vector<AxisLabel> xLabels, yLabels;
    std::string xTitle, yTitle;
    std::vector<Swatch> legend;
    bool sharp = false;  // cells enlarged to blocks: scaled without smoothing
};

// Small figures side by side, wrapping onto new lines, e.g. the pictures of places.
struct PageGallery {
    std::vector<PageFigure> figures;
};

using PageBlock = std::variant<PageParagraph, PageKeyValues, PageTable, PageFigure, PageGallery>;

struct PageSection {
    std::string heading;
    std::vector<PageBlock> blocks;
};

struct PageDescription {
    std::string title;
    std::vector<std::string> subtitle;  // lines under the title: program, date, files
    std::vector<PageSection> sections;  // listed at the top when there are three or more
    std::string footer;
};

std::string htmlPage(const PageDescription& page);

// text as HTML text or attribute value: & < > " ' escaped; bytes that do not form UTF-8
// (each maximal ill-formed sequence) and control characters other than tab, line feed
// and carriage return become U+FFFD.
std::string htmlText(const std::string& text);
