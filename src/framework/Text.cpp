#include "framework/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace fw {

namespace {

// Length in bytes of the UTF-8 sequence that starts with b; invalid lead bytes
// count as one byte so that walking a text always advances.
std::size_t SequenceLength(unsigned char b) {
    if (b < 0x80) return 1;
    if ((b & 0xE0) == 0xC0) return 2;
    if ((b & 0xF0) == 0xE0) return 3;
    if ((b & 0xF8) == 0xF0) return 4;
    return 1;
}

// Byte offset just past the first n characters of s.
std::size_t ByteOffsetOfCharacter(const String& s, long long n) {
    std::size_t pos = 0;
    for (long long i = 0; i < n && pos < s.size(); ++i) {
        pos += SequenceLength(static_cast<unsigned char>(s[pos]));
    }
    return pos < s.size() ? pos : s.size();
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Roughly the power of ten of a decimal number in [first, last) (digits,
// fraction, exponent, no sign): enough to tell a number too large for a double
// from one too small.
long long DecimalMagnitude(const char* p, const char* last) {
    long long magnitude = 0;
    bool significant = false;
    for (; p < last && IsDigit(*p); ++p) {
        if (*p != '0') significant = true;
        if (significant) ++magnitude;
    }
    if (p < last && *p == '.') {
        for (++p; p < last && IsDigit(*p) && !significant; ++p) {
            if (*p != '0') significant = true;
            --magnitude;
        }
        while (p < last && IsDigit(*p)) ++p;
    }
    long long exponent = 0;
    if (p < last && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negative = p < last && *p == '-';
        if (p < last && (*p == '+' || *p == '-')) ++p;
        // Past a few thousand every exponent decides alike.
        for (; p < last && IsDigit(*p); ++p) {
            exponent = std::min(exponent * 10 + (*p - '0'), 1000000LL);
        }
        if (negative) exponent = -exponent;
    }
    return magnitude + exponent;
}

}  // namespace

// Numbers go to and from text with the standard library's locale-free
// conversions: the toolkit switches the process to the user's locale, and the
// configuration files must read the same on every desktop.

String Str(long long n) {
    char buf[24];
    return String(buf, std::to_chars(buf, buf + sizeof buf, n).ptr);
}

String Str(double v) {
    // Neither is a number a file may hold: Val never gives a NaN, and reads a
    // size beyond the range of a double as the largest one.
    if (std::isnan(v)) return "0";
    if (std::isinf(v)) v = std::copysign(std::numeric_limits<double>::max(), v);
    if (v == std::trunc(v) && std::fabs(v) < 1e15) return Str(static_cast<long long>(v));
    // The shortest text that reads back to the very same number.
    char buf[32];
    return String(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

double Val(const String& s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    std::size_t j = i;
    bool negative = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) negative = s[j++] == '-';
    std::size_t digitsStart = j;
    while (j < s.size() && IsDigit(s[j])) ++j;
    bool hasDigits = j > digitsStart;
    if (j < s.size() && s[j] == '.') {
        std::size_t k = j + 1;
        while (k < s.size() && IsDigit(s[k])) ++k;
        hasDigits = hasDigits || k > j + 1;
        j = k;
    }
    if (!hasDigits) return 0;
    if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
        std::size_t k = j + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        std::size_t expDigits = k;
        while (k < s.size() && IsDigit(s[k])) ++k;
        if (k > expDigits) j = k;
    }
    // from_chars takes a "-" but no "+": the number after the sign is read and
    // the sign put back.
    const char* first = s.data() + digitsStart;
    const char* last = s.data() + j;
    double v = 0;
    const std::errc error = std::from_chars(first, last, v, std::chars_format::general).ec;
    if (error == std::errc::result_out_of_range) {
        // Beyond the range of a double: the largest one; too small for it: zero.
        v = DecimalMagnitude(first, last) > 0 ? std::numeric_limits<double>::max() : 0.0;
    } else if (error != std::errc()) {
        v = 0;
    }
    return negative ? -v : v;
}

String Chr(long long cp) {
    String out;
    if (cp < 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return out;
    auto c = static_cast<unsigned long>(cp);
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

Integer Asc(const String& s) {
    if (s.empty()) return 0;
    auto b0 = static_cast<unsigned char>(s[0]);
    std::size_t len = SequenceLength(b0);
    if (len == 1 || s.size() < len) return b0;
    Integer cp = b0 & (0x7F >> len);
    for (std::size_t i = 1; i < len; ++i) {
        auto b = static_cast<unsigned char>(s[i]);
        if ((b & 0xC0) != 0x80) return b0;
        cp = (cp << 6) | (b & 0x3F);
    }
    return cp;
}

String Left(const String& s, long long n) {
    if (n <= 0) return String();
    return s.substr(0, ByteOffsetOfCharacter(s, n));
}

Integer Len(const String& s) {
    Integer n = 0;
    for (std::size_t pos = 0; pos < s.size(); ++n) {
        pos += SequenceLength(static_cast<unsigned char>(s[pos]));
    }
    return n;
}

String NthField(const String& s, const String& sep, long long n) {
    if (n < 1) return String();
    if (sep.empty()) return n == 1 ? s : String();
    std::size_t start = 0;
    for (long long i = 1; i < n; ++i) {
        std::size_t p = s.find(sep, start);
        if (p == String::npos) return String();
        start = p + sep.size();
    }
    std::size_t end = s.find(sep, start);
    return s.substr(start, end == String::npos ? String::npos : end - start);
}

Integer CountFields(const String& s, const String& sep) {
    if (s.empty()) return 0;
    if (sep.empty()) return 1;
    long long count = 1;
    for (std::size_t p = s.find(sep); p != String::npos; p = s.find(sep, p + sep.size())) {
        ++count;
    }
    return count > INT32_MAX ? INT32_MAX : static_cast<Integer>(count);
}

bool TextEquals(const String& a, const String& b) {
    return a == b;
}

}  // namespace fw
