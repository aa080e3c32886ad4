// How the standard streams read a number, which this file reproduces on a buffer:
//
// operator>> skips whitespace (space, \t \n \v \f \r), then libstdc++'s num_get
// accumulates the longest prefix its grammar accepts and converts only that:
//   float:  [+-] digits [. digits] [(e|E) [+-] digits]   (digits may be empty; leading
//           zeros count as one; '.' only before the exponent; 'e' only after a digit)
//           then strtof over the accumulated text. Text strtof does not use completely
//           ("1e", "-", "."), or a result of +-infinity, fails; a result that underflows
//           to a subnormal or to zero is kept.
//   int:    [+-] decimal digits, accumulated into a long; no digit fails, and a value
//           beyond long or then beyond int fails.
// The characters after the accumulated prefix stay unread: "1.5.3" is 1.5, then .3.

#include "model/grid_text.h"

#include <locale.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <system_error>
#include <thread>
#include <vector>

#include "model/input_file.h"
#include "model/progress.h"

namespace {

const std::size_t defaultBlockBytes = std::size_t(4) << 20;
// Below this, a block's halves are too small to be worth a second thread.
const std::size_t defaultSplitBytes = std::size_t(256) << 10;

inline bool isSpace(char c) { return c == ' ' || static_cast<unsigned char>(c - '\t') < 5; }
inline bool isDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

locale_t classicLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return c;
}

// The end of the prefix num_get accumulates for a float, starting at p.
const char* floatPrefixEnd(const char* p, const char* end)
{
    if (p < end && (*p == '+' || *p == '-'))
        p++;
    bool mantissa = false;
    while (p < end && *p == '0') {
        mantissa = true;
        p++;
    }
    bool point = false, exponent = false;
    while (p < end) {
        const char c = *p;
        if (isDigit(c)) {
            mantissa = true;
        } else if (c == '.' && !point && !exponent) {
            point = true;
        } else if ((c == 'e' || c == 'E') && !exponent && mantissa) {
            exponent = true;
            // A sign right after the 'e' is taken with it; anything else is looked at anew.
            if (++p < end && (*p == '+' || *p == '-'))
                p++;
            continue;
        } else {
            break;
        }
        p++;
    }
    return p;
}

// What num_get stores for the accumulated text [begin, end): the value, 0 when strtof
// does not use all of it, +-FLT_MAX when it overflows. true when the value is good.
bool convertFloat(const char* begin, const char* end, float& value)
{
    // from_chars rounds correctly as strtof does, but takes no '+' and reports a
    // result that underflows as out of range: those few go to strtof itself.
    const char* digits = begin < end && *begin == '+' ? begin + 1 : begin;
    const std::from_chars_result r = std::from_chars(digits, end, value, std::chars_format::general);
    if (r.ec == std::errc() && r.ptr == end && std::isfinite(value))
        return true;

    // The text num_get would hand to strtof: leading zeros as one, 'E' as 'e'.
    std::string text;
    const char* p = begin;
    if (p < end && (*p == '+' || *p == '-'))
        text += *p++;
    if (p < end && *p == '0') {
        text += '0';
        while (p < end && *p == '0')
            p++;
    }
    for (; p < end; p++)
        text += *p == 'E' ? 'e' : *p;
    char* used = nullptr;
    value = strtof_l(text.c_str(), &used, classicLocale());
    if (used == text.c_str() || *used != '\0') {
        value = 0;
        return false;
    }
    if (std::isinf(value)) {
        value = value > 0 ? std::numeric_limits<float>::max() : -std::numeric_limits<float>::max();
        return false;
    }
    return true;
}

const float powersOfTen[11] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};

// One height starting at p (not whitespace, p < end; a NUL follows end). Returns the
// end of what was consumed, or nullptr when the extraction fails.
//
// Most heights are short decimals ("1234.56"): with at most 2^24 as the digits' integer
// m and at most 10 decimals k, both m and 10^k are exact floats, so the one rounding of
// m / 10^k gives the correctly rounded value of the text, as strtof does.
inline const char* parseHeight(const char* p, const char* end, float& value)
{
    const char* start = p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        p++;
    std::uint64_t m = 0;
    const char* digits = p;
    while (isDigit(*p))
        m = m * 10 + static_cast<unsigned>(*p++ - '0');
    std::size_t count = static_cast<std::size_t>(p - digits);
    std::size_t decimals = 0;
    if (*p == '.') {
        const char* fraction = ++p;
        while (isDigit(*p))
            m = m * 10 + static_cast<unsigned>(*p++ - '0');
        decimals = static_cast<std::size_t>(p - fraction);
        count += decimals;
    }
    if (count - 1 < 19 && m <= (std::uint64_t(1) << 24) && decimals <= 10 && (p == end || isSpace(*p))) {
        const float v = static_cast<float>(m) / powersOfTen[decimals];
        value = negative ? -v : v;
        return p;
    }
    const char* stop = floatPrefixEnd(start, end);
    return convertFloat(start, stop, value) ? stop : nullptr;
}

}  // namespace

GridText::GridText(const char* path)
{
    const int fd = openRegularFile(path, openProblem);
    if (fd < 0)
        return;
    source = fd;
    capacity = defaultBlockBytes;
    splitBytes = defaultSplitBytes;
    buffer.reset(new char[capacity + 1]);
    buffer[0] = '\0';
}

GridText::GridText(std::string bytes, std::size_t blockBytes, std::size_t splitAt)
    : memory(new std::string(std::move(bytes)))
{
    splitBytes = splitAt > 0 ? splitAt : 1;
    capacity = blockBytes > 0 ? blockBytes : 1;
    buffer.reset(new char[capacity + 1]);
    buffer[0] = '\0';
}

GridText::~GridText()
{
    if (source >= 0)
        ::close(source);
}

std::size_t GridText::fill(std::size_t from, std::size_t to)
{
    if (memory) {
        const std::size_t n = std::min(to - from, memory->size() - memoryOffset);
        std::memcpy(buffer.get() + from, memory->data() + memoryOffset, n);
        memoryOffset += n;
        return n;
    }
    for (;;) {
        const ssize_t n = ::read(source, buffer.get() + from, to - from);
        if (n >= 0)
            return static_cast<std::size_t>(n);
        if (errno != EINTR)
            return 0;  // a read error ends the data, as it does for a file stream
    }
}

bool GridText::refill()
{
    if (exhausted)
        return false;
    // A character is put back right after it was read, before anything could refill.
    const std::size_t keep = position;
    if (keep > 0) {
        std::memmove(buffer.get(), buffer.get() + keep, length - keep);
        length -= keep;
        position -= keep;
    }
    if (length == capacity) {
        std::unique_ptr<char[]> larger(new char[2 * capacity + 1]);
        std::memcpy(larger.get(), buffer.get(), length);
        buffer = std::move(larger);
        capacity *= 2;
    }
    const std::size_t n = fill(length, capacity);
    length += n;
    buffer[length] = '\0';
    if (n == 0)
        exhausted = true;
    return n > 0;
}

int GridText::peek()
{
    while (position == length)
        if (!refill())
            return EOF;
    return static_cast<unsigned char>(buffer[position]);
}

bool GridText::sentry()
{
    if (!good()) {
        failed = true;
        return false;
    }
    for (int c = peek(); c != EOF && isSpace(static_cast<char>(c)); c = peek())
        bump();
    if (peek() == EOF) {
        atEnd = failed = true;
        return false;
    }
    return true;
}

const char* GridText::holdToken()
{
    std::size_t scanned = position;
    for (;;) {
        for (; scanned < length; scanned++)
            if (isSpace(buffer[scanned]))
                return buffer.get() + length;
        const std::size_t before = position;
        if (!refill())
            return buffer.get() + length;
        scanned -= before - position;
    }
}

GridText& GridText::operator>>(std::string& word)
{
    if (!sentry())
        return *this;
    const char* end = holdToken();
    const char* p = buffer.get() + position;
    const char* q = p;
    while (q < end && !isSpace(*q))
        q++;
    word.assign(p, q);
    position += static_cast<std::size_t>(q - p);
    if (q == end)
        atEnd = true;
    return *this;
}

GridText& GridText::operator>>(int& value)
{
    if (!sentry())
        return *this;
    const char* end = holdToken();
    const char* p = buffer.get() + position;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        p++;
    bool zero = false;
    while (p < end && *p == '0') {
        zero = true;
        p++;
    }
    // Accumulated as num_get does for a long: digits past an overflow are still consumed.
    const unsigned long limit = negative ? static_cast<unsigned long>(LONG_MAX) + 1 : LONG_MAX;
    unsigned long result = 0;
    bool digits = zero, overflow = false;
    for (; p < end && isDigit(*p); p++) {
        const unsigned digit = static_cast<unsigned>(*p - '0');
        digits = true;
        if (result > limit / 10) {
            overflow = true;
        } else {
            result *= 10;
            overflow |= result > limit - digit;
            result += digit;
        }
    }
    position = static_cast<std::size_t>(p - buffer.get());
    if (p == end)
        atEnd = true;
    long number = 0;
    if (!digits) {
        failed = true;
    } else if (overflow) {
        number = negative ? LONG_MIN : LONG_MAX;
        failed = true;
    } else {
        number = negative ? (result == 0 ? 0 : -static_cast<long>(result - 1) - 1) : static_cast<long>(result);
    }
    if (number < INT_MIN) {
        failed = true;
        value = INT_MIN;
    } else if (number > INT_MAX) {
        failed = true;
        value = INT_MAX;
    } else {
        value = static_cast<int>(number);
    }
    return *this;
}

GridText& GridText::operator>>(float& value)
{
    if (!sentry())
        return *this;
    const char* end = holdToken();
    const char* p = buffer.get() + position;
    const char* stop = floatPrefixEnd(p, end);
    if (!convertFloat(p, stop, value))
        failed = true;
    position = static_cast<std::size_t>(stop - buffer.get());
    if (stop == end)
        atEnd = true;
    return *this;
}

GridText& GridText::readNumber(float& value, double& exact)
{
    if (!sentry())
        return *this;
    const char* end = holdToken();
    const char* p = buffer.get() + position;
    // The accumulated text is sign, digits, point and exponent only, as strtod reads it too.
    const std::string text(p, floatPrefixEnd(p, end));
    *this >> value;
    if (!failed)
        exact = strtod_l(text.c_str(), nullptr, classicLocale());
    return *this;
}

GridText& GridText::operator>>(char& c)
{
    if (!sentry())
        return *this;
    c = buffer[position];
    bump();
    return *this;
}

int GridText::get()
{
    if (!good()) {
        failed = true;
        return EOF;
    }
    const int c = peek();
    if (c == EOF) {
        atEnd = failed = true;
        return EOF;
    }
    bump();
    return c;
}

GridText& GridText::putback(char c)
{
    atEnd = false;
    if (failed)
        return *this;
    if (position > 0 && buffer[position - 1] == c)
        position--;
    else
        failed = true;
    return *this;
}

namespace {

// Where parsed heights go: the grid, row after row, with the height range updated as
// the reader does (v > zmax, then zmin > v).
struct GridSink {
    float* const* rows;
    int nrows, ncols;
    float low, high;
    int r = 0, c = 0;
    float* row = rows[0];
    long long stored = 0;

    void put(float v)
    {
        row[c] = v;
        if (v > high)
            high = v;
        if (low > v)
            low = v;
        stored++;
        if (++c == ncols && ++r < nrows) {
            c = 0;
            row = rows[r];
        }
    }
};

// The heights of a block's second half, kept until the first half's count is known.
struct ScratchSink {
    float* values;
    long long stored = 0;

    void put(float v) { values[stored++] = v; }
};

// Heights from p up to bound, until the sink holds most values. false at a height the
// stream refuses; p is then at it, else after the last height parsed.
template <typename Sink>
bool parseRun(const char*& p, const char* bound, const char* end, Sink& sink, long long most)
{
    while (sink.stored < most) {
        while (p < bound && isSpace(*p))
            p++;
        if (p == bound)
            return true;
        float v;
        const char* next = parseHeight(p, end, v);
        if (next == nullptr)
            return false;
        p = next;
        sink.put(v);
    }
    return true;
}

// Joins the helper on every way out, so that it never outlives the buffer it reads.
struct Joined {
    std::thread& helper;
    ~Joined()
    {
        if (helper.joinable())
            helper.join();
    }
};

// Heights from p up to bound as parseRun takes them, the second half from middle (just
// after a whitespace) parsed on another core from where a sequential reader would go on:
// the same values, only their place in the grid waits for the count of the first half.
// Without a second thread the whole run is read here.
bool parseHalves(const char*& p, const char* middle, const char* bound, const char* end, GridSink& sink,
                 long long wanted, std::vector<float>& scratch)
{
    const long long room = std::min<long long>(wanted - sink.stored, (bound - middle) / 2 + 1);
    if (scratch.size() < static_cast<std::size_t>(room))
        scratch.resize(static_cast<std::size_t>(room));
    ScratchSink second{scratch.data()};
    const char* q = middle;
    bool secondOk = true;
    std::thread helper;
    try {
        helper = std::thread([&] { secondOk = parseRun(q, bound, end, second, room); });
    } catch (const std::system_error&) {
        return parseRun(p, bound, end, sink, wanted);
    }
    const Joined joined{helper};
    bool ok = parseRun(p, middle, end, sink, wanted);
    helper.join();
    if (ok && sink.stored < wanted) {
        const long long take = std::min(second.stored, wanted - sink.stored);
        for (long long i = 0; i < take; i++)
            sink.put(scratch[static_cast<std::size_t>(i)]);
        ok = secondOk || sink.stored == wanted;
        p = q;  // where the second half stopped: its end, a refused height or room
    }
    return ok;
}

}  // namespace

std::size_t GridText::splitPoint(std::size_t limit) const
{
    if (limit - position < 2 * splitBytes)
        return 0;
    std::size_t split = position + (limit - position) / 2;
    while (split < limit && !isSpace(buffer[split - 1]))
        split++;
    return split < limit ? split : 0;
}

long long GridText::readHeights(float* const* rows, int nrows, int ncols, float& zmin, float& zmax)
{
    if (nrows <= 0 || ncols <= 0)
        return 0;
    const long long wanted = static_cast<long long>(nrows) * ncols;
    GridSink sink{rows, nrows, ncols, zmin, zmax};
    std::vector<float> scratch;
    while (sink.stored < wanted) {
        if (!good()) {
            failed = true;
            break;
        }
        // Parse only up to the last whitespace in the buffer: every number that starts
        // before it ends before it, so no number is cut by the block's end.
        std::size_t limit = length;
        if (!exhausted) {
            while (limit > position && !isSpace(buffer[limit - 1]))
                limit--;
            if (limit == position) {
                refill();
                continue;
            }
        }
        const char* p = buffer.get() + position;
        const char* const bound = buffer.get() + limit;
        const char* const end = buffer.get() + length;
        const std::size_t split = splitPoint(limit);
        const bool ok = split != 0 ? parseHalves(p, buffer.get() + split, bound, end, sink, wanted, scratch)
                                   : parseRun(p, bound, end, sink, wanted);
        position = static_cast<std::size_t>(p - buffer.get());
        if (!ok) {
            failed = true;
            break;
        }
        if (sink.stored < wanted && position == length && !refill()) {
            atEnd = failed = true;  // the end came while skipping whitespace
            break;
        }
        readProgress(double(sink.stored) / double(wanted));
    }
    zmin = sink.low;
    zmax = sink.high;
    return sink.stored;
}
