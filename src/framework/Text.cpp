#include "framework/Text.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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

}  // namespace

String Str(long long n) {
    return std::to_string(n);
}

String Str(double v) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
    if (v == std::trunc(v) && std::fabs(v) < 1e15) {
        return std::to_string(static_cast<long long>(v));
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7g", v);
    return buf;
}

double Val(const String& s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    std::size_t start = i;
    std::size_t j = i;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    std::size_t digitsStart = j;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
    bool hasDigits = j > digitsStart;
    if (j < s.size() && s[j] == '.') {
        std::size_t k = j + 1;
        while (k < s.size() && s[k] >= '0' && s[k] <= '9') ++k;
        hasDigits = hasDigits || k > j + 1;
        j = k;
    }
    if (!hasDigits) return 0;
    if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
        std::size_t k = j + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        std::size_t expDigits = k;
        while (k < s.size() && s[k] >= '0' && s[k] <= '9') ++k;
        if (k > expDigits) j = k;
    }
    String number = s.substr(start, j - start);
    errno = 0;
    double v = std::strtod(number.c_str(), nullptr);
    return v;
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
