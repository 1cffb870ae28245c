#include "support/cases.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fc::test {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The parts of `text` between separators; `trim` takes the blanks around each part away.
std::vector<std::string> splitFields(std::string_view text, std::string_view separator, bool trim) {
    std::vector<std::string> parts;
    for (std::size_t at = 0, next = 0; next != std::string_view::npos;
         at = next + separator.size()) {
        next = text.find(separator, at);
        std::string_view part = text.substr(at, next == std::string_view::npos ? next : next - at);
        while (trim && !part.empty() && part.front() == ' ') part.remove_prefix(1);
        while (trim && !part.empty() && part.back() == ' ') part.remove_suffix(1);
        parts.emplace_back(part);
    }
    return parts;
}

struct Table {
    std::string name;
    std::vector<std::string> cols;
    std::vector<std::string> body;
};

std::string fillTemplate(std::string text, const Table& table,
                         const std::vector<std::string>& row) {
    for (std::size_t i = 0; i < table.cols.size(); ++i) {
        const std::string mark = "{" + table.cols[i] + "}";
        for (std::size_t at = text.find(mark); at != std::string::npos;
             at = text.find(mark, at + row[i].size()))
            text.replace(at, mark.size(), row[i]);
    }
    return text;
}

// The raw lines of one case from one row of a table.
std::vector<std::string> expand(const Table& table, const std::string& values, int number,
                                std::string& name, const std::string& where) {
    const std::vector<std::string> row = splitFields(values, "|", true);
    if (row.size() != table.cols.size())
        throw std::runtime_error(where + ": " + std::to_string(row.size()) + " values for " +
                                 std::to_string(table.cols.size()) + " columns");
    name = fillTemplate(table.name, table, row);
    if (name == table.name) name += " #" + std::to_string(number);
    std::vector<std::string> lines;
    for (const std::string& body : table.body) {
        const std::string filled = fillTemplate(body, table, row);
        if (filled.empty()) continue;
        for (std::string& part : splitFields(filled, " ;; ", false))
            lines.push_back(std::move(part));
    }
    return lines;
}

CaseLine tagged(const std::string& line) {
    const std::size_t blank = line.find(' ');
    return {line.substr(0, blank),
            blank == std::string::npos ? "" : unescape(line.substr(blank + 1))};
}

}  // namespace

std::string unescape(std::string_view text) {
    static const std::string_view kTokens = "BC_VOA";
    static const std::string_view kCodes = "\x02\x03\x1F\x16\x0F\x01";
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (c == '^' && kTokens.find(next) != std::string_view::npos && next != '\0') {
            out += kCodes[kTokens.find(next)];
            ++i;
        } else if (c == '\\' && next == 'x' && i + 3 < text.size() && hexDigit(text[i + 2]) >= 0 &&
                   hexDigit(text[i + 3]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 2]) * 16 + hexDigit(text[i + 3]));
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

const Case& caseNamed(const std::vector<Case>& cases, const std::string& name) {
    for (const Case& c : cases)
        if (c.name == name) return c;
    throw std::runtime_error("no case " + name);
}

std::vector<Case> loadCases(const std::string& path) {
    const std::string full = std::string(FRAGCASTER_TESTS_DIR) + "/" + path;
    std::ifstream in(full, std::ios::binary);
    if (!in) throw std::runtime_error("no case file " + full);
    std::vector<Case> cases;
    Table table;
    bool inTable = false;
    int rows = 0;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::string where = full + ":" + std::to_string(number);
        if (inTable && rows == 0 && line.rfind("== ", 0) == 0)
            throw std::runtime_error(where + ": a table without rows before it");
        if (line.rfind("== table ", 0) == 0) {
            table = {line.substr(9), {}, {}};
            inTable = true;
            rows = 0;
        } else if (line.rfind("== ", 0) == 0) {
            cases.push_back({line.substr(3), {}});
            inTable = false;
        } else if (inTable && line.rfind("cols ", 0) == 0) {
            std::istringstream names(line.substr(5));
            for (std::string col; names >> col;) table.cols.push_back(col);
        } else if (inTable && (line == "row" || line.rfind("row ", 0) == 0)) {
            Case c;
            const std::string values = line.size() > 4 ? line.substr(4) : "";
            for (const std::string& raw : expand(table, values, ++rows, c.name, where))
                c.lines.push_back(tagged(raw));
            cases.push_back(std::move(c));
        } else if (inTable && rows > 0) {
            throw std::runtime_error(where + ": a case line after a table's rows");
        } else if (inTable) {
            table.body.push_back(line);
        } else if (cases.empty()) {
            throw std::runtime_error(where + ": a line before the first case");
        } else {
            cases.back().lines.push_back(tagged(line));
        }
    }
    if (inTable && rows == 0) throw std::runtime_error(full + ": a table without rows");
    if (cases.empty()) throw std::runtime_error("no cases in " + full);
    return cases;
}

}  // namespace fc::test
