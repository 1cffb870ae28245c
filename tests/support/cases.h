// Tables of cases kept as text files beside the tests that walk them: the inputs and the exact
// texts expected, one tagged line each, without the C++ around every row.
//
//   # a comment
//   == a name for the case
//   tag text             the text starts after the first blank behind the tag
//
// A family of cases that differ only in a few values is written once as a table:
//
//   == table a name with {col} in it
//   cols a b col          the column names
//   set x {a}             lines of the case, with {name} where a row's value goes; a line
//   {b}                   that is only a column is left out where the row's value is empty
//   row 1 | said hello | z    one case per row, values between bars
//
// A value may hold several lines, split at " ;; ". A table's name without a column gets the
// row's number.
//
// A text is bytes with a few escapes: ^B ^C ^_ ^V ^O ^A are the IRC control codes (bold,
// colour, underline, reverse, plain, CTCP), \r \n \t \\ \^ and \xHH the bytes they name; a
// trailing blank is written \x20 so that no editor loses it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fc::test {

struct CaseLine {
    std::string tag;
    std::string text;
};

struct Case {
    std::string name;
    std::vector<CaseLine> lines;

    // The texts of every line with this tag, in order.
    std::vector<std::string> all(std::string_view tag) const;
    // The text of the first line with this tag, or `fallback` when there is none.
    std::string get(std::string_view tag, const std::string& fallback = "") const;
    bool has(std::string_view tag) const;
};

// Reads a case file by its path under tests/; a missing or malformed file throws, so that a
// table can never pass by being empty.
std::vector<Case> loadCases(const std::string& path);

// The case of that name; a missing one throws, as a missing file does.
const Case& caseNamed(const std::vector<Case>& cases, const std::string& name);

// Turns the escapes above into the bytes they stand for.
std::string unescape(std::string_view text);

}  // namespace fc::test
