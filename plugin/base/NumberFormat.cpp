#include "plugin/base/NumberFormat.h"

#include <cmath>
#include <cstring>

namespace orv {

namespace {

// Copies at most maxLen characters of src to the end of text and terminates it.
void appendCut(char* text, const char* src, int maxLen, size_t at) {
    if (maxLen <= 0) return;
    size_t n = std::strlen(src);
    if (n > static_cast<size_t>(maxLen)) n = static_cast<size_t>(maxLen);
    std::memcpy(text + at, src, n);
    text[at + n] = 0;
}

void writeHuge(char* text, int maxLen) { appendCut(text, "Huge!", maxLen, 0); }

}  // namespace

void float2string(float value, char* text, int maxLen) {
    if (!text || maxLen <= 0) return;
    double v = value;
    if (!std::isfinite(v)) {
        writeHuge(text, maxLen);
        return;
    }
    int c = 0;
    const bool negative = v < 0;
    if (negative) {
        v = -v;
        c = 1;
    }
    if (v > (negative ? 9999999.0 : 99999999.0)) {
        writeHuge(text, maxLen);
        return;
    }

    // Integer digits from the right, behind a '.'.
    char scratch[32];
    char* s = scratch + 31;
    *s-- = 0;
    *s-- = '.';
    ++c;
    double integer = std::floor(v);
    *s-- = static_cast<char>('0' + static_cast<int>(std::fmod(integer, 10.0)));
    integer /= 10.0;
    ++c;
    while (integer >= 1.0 && c < 8) {
        *s-- = static_cast<char>('0' + static_cast<int>(std::fmod(integer, 10.0)));
        integer /= 10.0;
        ++c;
    }
    if (negative) *s-- = '-';
    appendCut(text, s + 1, maxLen, 0);
    if (c >= 8) return;

    // Fraction digits, cut rather than rounded.
    s = scratch + 31;
    *s-- = 0;
    double m = std::fmod(v, 1.0) * std::pow(10.0, 8 - c);
    for (; c < 8; ++c) {
        if (m <= 0)
            *s-- = '0';
        else {
            *s-- = static_cast<char>('0' + static_cast<int>(std::fmod(m, 10.0)));
            m /= 10.0;
        }
    }
    const size_t at = std::strlen(text);
    appendCut(text, s + 1, maxLen - static_cast<int>(at), at);
}

void dB2string(float value, char* text, int maxLen) {
    if (!text || maxLen <= 0) return;
    if (value <= 0) {
        appendCut(text, "-oo", maxLen, 0);
        return;
    }
    // The logarithm of the single-precision amplitude, taken in double: 0.5 must read "-6.02059".
    float2string(static_cast<float>(20.0 * std::log10(static_cast<double>(value))), text, maxLen);
}

}  // namespace orv
