#include "core/text_util.h"

#include <cctype>
#include <cmath>

namespace fc {

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    double value = 0;
    bool anyDigit = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        value = value * 10 + (text[i] - '0');
        anyDigit = true;
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        double scale = 0.1;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            value += (text[i] - '0') * scale;
            scale /= 10;
            anyDigit = true;
            ++i;
        }
    }
    if (!anyDigit || !std::isfinite(value)) return 0;
    return negative ? -value : value;
}

long long wholeNumber(double value) {
    constexpr double kLimit = 9.0e18;
    if (!(value == value)) return 0;  // NaN
    const double floored = std::floor(value);
    if (floored >= kLimit) return static_cast<long long>(kLimit);
    if (floored <= -kLimit) return static_cast<long long>(-kLimit);
    return static_cast<long long>(floored);
}

long long leadingWhole(std::string_view text) {
    return wholeNumber(leadingNumber(text));
}

long long addWithin(long long a, long long b) {
    return wholeNumber(static_cast<double>(a) + static_cast<double>(b));
}

std::string plainNumber(long long value) {
    return std::to_string(value);
}

std::string blankNumber(long long value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string trimBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ') ++begin;
    while (end > begin && text[end - 1] == ' ') --end;
    return std::string(text.substr(begin, end - begin));
}

namespace {

// Latin-1 letters come in pairs 32 apart: a-z and A-Z, and the accented letters from 224 and
// 192 (247 and 215, the division and multiplication signs, are not letters).
bool isLatin1Lower(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7);
}

bool isLatin1Upper(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

}  // namespace

std::string toUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (isLatin1Lower(static_cast<unsigned char>(c))) c = static_cast<char>(c - 32);
    }
    return out;
}

std::string toLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (isLatin1Upper(static_cast<unsigned char>(c))) c = static_cast<char>(c + 32);
    }
    return out;
}

bool textStartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool textEndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool textContains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

}  // namespace fc
