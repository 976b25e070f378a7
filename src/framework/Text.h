#pragma once

#include <concepts>

#include "framework/Types.h"

namespace fw {

// Decimal text of a whole number, with a leading "-" when negative.
String Str(long long n);
template <std::integral T>
String Str(T n) {
    return Str(static_cast<long long>(n));
}
// A real: whole values below 10^15 as plain decimal integers, others as the
// shortest text that Val reads back to the very same number ("12.5", "1e+15").
// An infinity is written as the largest finite value of its sign and NaN as 0,
// so the text is always a number.
String Str(double v);

// The leading number of a text: optional blanks (spaces, tabs), sign, digits,
// fraction and exponent. "12abc" is 12, "abc" is 0. A number beyond the range
// of a double reads as the largest finite value of its sign, one too small for
// it as 0 (or the nearest subnormal).
double Val(const String& s);
// Both use "." as the decimal point and ignore the process locale.

// The character of a Unicode code point, as UTF-8; "" for a value that is no
// code point.
String Chr(long long codePoint);
// The code point of the first character of s; 0 for the empty text.
Integer Asc(const String& s);

// The first n characters (not bytes) of s.
String Left(const String& s, long long n);
// Number of characters (not bytes) of s.
Integer Len(const String& s);

// Field n (from 1) of s separated by sep; "" when s has fewer fields.
String NthField(const String& s, const String& sep, long long n);
// Number of fields of s separated by sep; an empty last field counts, the
// empty text has none.
Integer CountFields(const String& s, const String& sep);

// The program's one string equality: exact, letter case included.
bool TextEquals(const String& a, const String& b);

}  // namespace fw
