// Small text helpers every subsystem shares. Text is bytes: one character per byte.
#pragma once

#include <string>
#include <string_view>

namespace fc {

// The value of the longest leading part of `text` (after leading blanks) that reads as a
// decimal number, or 0 when there is none: "60 seconds" reads as 60, "x" as 0.
double leadingNumber(std::string_view text);

// A number as a whole number: rounded down, and held within what 64 bits can carry.
long long wholeNumber(double value);

// The leading-number rule read as a whole number: wholeNumber(leadingNumber(text)).
long long leadingWhole(std::string_view text);

// a + b held within what wholeNumber carries, however large the numbers a server sends.
long long addWithin(long long a, long long b);

// A whole number written plainly, without blanks: 7, -3.
std::string plainNumber(long long value);

// A whole number with one leading blank when it is not negative: " 7", "-3".
std::string blankNumber(long long value);

// Removes leading and trailing blanks (spaces only).
std::string trimBlanks(std::string_view text);
// Case by the Latin-1 code page: accented letters change case too.
std::string toLower(std::string_view text);
std::string toUpper(std::string_view text);
bool textStartsWith(std::string_view text, std::string_view prefix);
bool textEndsWith(std::string_view text, std::string_view suffix);
bool textContains(std::string_view text, std::string_view part);

}  // namespace fc
