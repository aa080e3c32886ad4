#pragma once
// The bytes of a grid file, read in large blocks, and the extractions the grid reader
// makes from them. Every extraction behaves as std::istream's operator>> in the classic
// locale does on the same bytes: the same characters are consumed, the same values are
// stored (bit for bit), and the same failure state follows, so that once an extraction
// fails every later one fails too.

#include <cstddef>
#include <memory>
#include <string>

class GridText {
public:
    // Reads the file at path when it is a regular file; is_open() tells whether it could
    // be opened, problem() why not (input_file.h's reasons: "not found", "is a directory").
    explicit GridText(const char* path);
    // Reads bytes held in memory, handing them out blockBytes at a time as the file
    // reader does, and reading heights on two cores from blocks of 2 x splitBytes on
    // (tests use small sizes to cross every block boundary and split every block).
    GridText(std::string bytes, std::size_t blockBytes, std::size_t splitBytes = std::size_t(1) << 30);
    ~GridText();
    GridText(const GridText&) = delete;
    GridText& operator=(const GridText&) = delete;

    bool is_open() const { return source >= 0 || memory != nullptr; }
    const std::string& problem() const { return openProblem; }

    GridText& operator>>(std::string& word);
    GridText& operator>>(int& value);
    GridText& operator>>(float& value);
    // `>> value`, and exact the same text read as a double (when value was read): a
    // header number kept both ways.
    GridText& readNumber(float& value, double& exact);
    GridText& operator>>(char& c);
    int get();  // the next character, or EOF (-1)
    GridText& putback(char c);

    explicit operator bool() const { return !failed; }
    bool good() const { return !failed && !atEnd; }
    bool eof() const { return atEnd; }

    // nrows x ncols successive `>> float` extractions into rows[0][0 .. ncols - 1],
    // rows[1][...], ..., with zmax and zmin updated after each value as the reader does
    // (v > zmax, then zmin > v). Returns how many values were stored before the first
    // extraction that failed; nothing after the last value needed is read. Large blocks
    // are parsed in two halves on two cores; the values are those of one pass.
    long long readHeights(float* const* rows, int nrows, int ncols, float& zmin, float& zmax);

private:
    int peek();  // the next character without consuming it, EOF at the end
    void bump() { position++; }
    bool sentry();  // skips whitespace as a formatted extraction starts; false when it fails
    // Makes the buffer hold everything up to the next whitespace after the unread bytes
    // (or up to the end of the source) and returns the end of the buffered data.
    const char* holdToken();
    bool refill();  // keeps the unread bytes (and one before them) and reads more
    std::size_t fill(std::size_t from, std::size_t to);
    // Where a block of unread bytes up to limit is split for two cores: just after a
    // whitespace near its middle; 0 when it is not worth splitting.
    std::size_t splitPoint(std::size_t limit) const;

    int source = -1;                        // file descriptor, or -1
    std::string openProblem;                // why the file could not be opened
    std::unique_ptr<std::string> memory;    // or the bytes in memory
    std::size_t memoryOffset = 0;
    std::unique_ptr<char[]> buffer;         // capacity + 1 bytes: a NUL follows the data
    std::size_t capacity = 0;
    std::size_t splitBytes = 0;
    std::size_t position = 0;               // next unread byte
    std::size_t length = 0;                 // bytes of data in the buffer
    bool exhausted = false;                 // the source has nothing more
    bool failed = false;                    // failbit
    bool atEnd = false;                     // eofbit
};
