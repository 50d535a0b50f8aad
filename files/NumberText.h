#pragma once
// Conversions of number texts in the files, independent of the user's locale: the full
// stop is always the decimal point.

#include <QByteArray>

#include <cstdint>
#include <optional>

// The integer at the start of text, read like the C library's atoi: leading white space
// and one sign accepted, conversion stops at the first character that is not a digit, no
// digits give 0. Values beyond the 32-bit range saturate at INT32_MIN / INT32_MAX.
int32_t LeadingInt(const QByteArray &text);

// The value of text when it holds one whole number and nothing else: leading white space and
// one sign as LeadingInt takes them, at least one digit, then white space only. Empty when
// text holds anything more or less. Saturates like LeadingInt.
std::optional<int32_t> WholeInt(const QByteArray &text);

// The number at the start of text, read like the C library's atof with the full stop as
// decimal point: leading white space, one sign, digits with an optional decimal point and
// exponent, or "inf", "infinity" and "nan" without regard to case. Conversion stops at the
// first character that cannot continue the number; no number gives 0.0. Too large a
// magnitude gives an infinity, too small a zero of the same sign. numberFound, when given,
// tells whether a number started at all: false for text without one and for a hexadecimal
// number ("0x10"), which atof would read as one and this conversion reads as a 0.
double LeadingDouble(const QByteArray &text, bool *numberFound = nullptr);

// The value of text when it holds one decimal number and nothing else, and a 32-bit float
// holds it: white space around it, one sign, digits with an optional decimal point (at least
// one digit in all), an optional exponent of at least one digit. Empty for anything more or
// less ("0.95%", "0,95", "1e", "inf", "nan", "0x10"), for a magnitude beyond the largest float,
// and for a number that is not zero but would be stored as 0 ("1e-50"); a value in the float's
// subnormal range is kept.
std::optional<float> WholeFloat(const QByteArray &text);
