#include "support/cases.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fc::test {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string Unescape(std::string_view text) {
    static const std::string_view kTokens = "BC_VOA";
    static const std::string_view kCodes = "\x02\x03\x1F\x16\x0F\x01";
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (c == '^' && kTokens.find(next) != std::string_view::npos && next != '\0') {
            out += kCodes[kTokens.find(next)];
            ++i;
        } else if (c == '\\' && next == 'x' && i + 3 < text.size() && HexDigit(text[i + 2]) >= 0 &&
                   HexDigit(text[i + 3]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3]));
            i += 3;
        } else if (c == '\\' && (next == 'r' || next == 'n' || next == 't')) {
            out += next == 'r' ? '\r' : next == 'n' ? '\n' : '\t';
            ++i;
        } else if (c == '\\' && (next == '\\' || next == '^')) {
            out += next;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::string> Case::all(std::string_view tag) const {
    std::vector<std::string> texts;
    for (const CaseLine& line : lines)
        if (line.tag == tag) texts.push_back(line.text);
    return texts;
}

std::string Case::get(std::string_view tag, const std::string& fallback) const {
    for (const CaseLine& line : lines)
        if (line.tag == tag) return line.text;
    return fallback;
}

bool Case::has(std::string_view tag) const {
    for (const CaseLine& line : lines)
        if (line.tag == tag) return true;
    return false;
}

std::vector<Case> LoadCases(const std::string& path) {
    const std::string full = std::string(FRAGCASTER_TESTS_DIR) + "/" + path;
    std::ifstream in(full, std::ios::binary);
    if (!in) throw std::runtime_error("no case file " + full);
    std::vector<Case> cases;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("== ", 0) == 0) {
            cases.push_back({line.substr(3), {}});
            continue;
        }
        if (cases.empty())
            throw std::runtime_error(full + ":" + std::to_string(number) +
                                     ": a line before the first case");
        const std::size_t blank = line.find(' ');
        cases.back().lines.push_back(
            {line.substr(0, blank),
             blank == std::string::npos ? "" : Unescape(line.substr(blank + 1))});
    }
    if (cases.empty()) throw std::runtime_error("no cases in " + full);
    return cases;
}

}  // namespace fc::test
