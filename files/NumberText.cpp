#include "files/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

// The white space the C library skips before a number (in the "C" locale).
bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Skips the leading white space and an optional sign, as atoi and atof do; returns where the
// digits begin.
const char *skipBlanksAndSign(const char *p, const char *end, bool &negative)
{
    while (p != end && isCSpace(*p))
        ++p;
    negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    return p;
}

// For a decimal text that std::from_chars found out of range: whether its magnitude is
// too large (true) or too small (false). Only the power of ten of the first non-zero digit
// and the exponent matter, so no conversion is needed.
bool overflowsUpward(const char *p, const char *end)
{
    long long position = 0;
    bool seenNonZero = false;
    bool afterPoint = false;
    for (; p != end && (isDigit(*p) || *p == '.'); ++p) {
        if (*p == '.') {
            afterPoint = true;
        } else if (!afterPoint) {
            if (seenNonZero)
                ++position;
            seenNonZero = seenNonZero || *p != '0';
        } else if (!seenNonZero) {
            --position;
            seenNonZero = *p != '0';
        }
    }
    long long exponent = 0;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        const bool negative = p != end && *p == '-';
        if (p != end && (*p == '-' || *p == '+'))
            ++p;
        constexpr long long EXPONENT_CAP = 1000000000LL; // far beyond any double, far below overflow
        for (; p != end && isDigit(*p); ++p)
            exponent = std::min(exponent * 10 + (*p - '0'), EXPONENT_CAP);
        if (negative)
            exponent = -exponent;
    }
    return position + exponent >= 0;
}

// Skips a run of digits. Returns where the run ends.
const char *skipDigits(const char *p, const char *end)
{
    return std::find_if_not(p, end, isDigit);
}

} // namespace

int32_t LeadingInt(const QByteArray &text)
{
    const char *end = text.constEnd();
    bool negative = false;
    const char *p = skipBlanksAndSign(text.constBegin(), end, negative);
    constexpr int64_t LOWEST = std::numeric_limits<int32_t>::min();
    constexpr int64_t HIGHEST = std::numeric_limits<int32_t>::max();
    int64_t magnitude = 0;
    for (; p != end && isDigit(*p); ++p) {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > HIGHEST + 1) // already saturated either way
            break;
    }
    return int32_t(std::clamp(negative ? -magnitude : magnitude, LOWEST, HIGHEST));
}

std::optional<int32_t> WholeInt(const QByteArray &text)
{
    const char *end = text.constEnd();
    bool negative = false;
    const char *digits = skipBlanksAndSign(text.constBegin(), end, negative);
    const char *p = std::find_if_not(digits, end, isDigit);
    if (p == digits || std::find_if_not(p, end, isCSpace) != end)
        return std::nullopt;
    return LeadingInt(text);
}

double LeadingDouble(const QByteArray &text, bool *numberFound)
{
    if (numberFound)
        *numberFound = false;
    const char *end = text.constEnd();
    bool negative = false;
    const char *p = skipBlanksAndSign(text.constBegin(), end, negative);
    // std::from_chars takes no sign of its own here: a second sign is not a number.
    if (p == end || *p == '+' || *p == '-')
        return 0.0;
    double value = 0.0;
    const std::from_chars_result result = std::from_chars(p, end, value, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument)
        return 0.0;
    if (numberFound)
        *numberFound = !(end - p >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X'));
    if (result.ec == std::errc::result_out_of_range)
        value = overflowsUpward(p, result.ptr) ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

std::optional<float> WholeFloat(const QByteArray &text)
{
    const char *const end = text.constEnd();
    const char *const number = std::find_if_not(text.constBegin(), end, isCSpace);
    const char *p = number;
    if (p != end && (*p == '+' || *p == '-'))
        ++p;
    const char *const integerEnd = skipDigits(p, end);
    bool digitsFound = integerEnd != p;
    p = integerEnd;
    if (p != end && *p == '.') {
        const char *const fractionEnd = skipDigits(p + 1, end);
        digitsFound = digitsFound || fractionEnd != p + 1;
        p = fractionEnd;
    }
    if (!digitsFound)
        return std::nullopt;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p != end && (*p == '+' || *p == '-'))
            ++p;
        const char *const exponentEnd = skipDigits(p, end);
        if (exponentEnd == p)
            return std::nullopt;
        p = exponentEnd;
    }
    if (std::find_if_not(p, end, isCSpace) != end)
        return std::nullopt;
    // Rounded to a float at once: through a double, a text of many digits is rounded twice and
    // can end one step off. std::from_chars takes a minus sign but no plus sign.
    const char *const first = *number == '+' ? number + 1 : number;
    float stored = 0.0f;
    const std::from_chars_result result = std::from_chars(first, p, stored, std::chars_format::general);
    // Out of range: beyond the largest float once rounded, or not zero but rounded to zero.
    if (result.ec != std::errc() || result.ptr != p)
        return std::nullopt;
    return stored;
}
