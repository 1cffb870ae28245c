// Small text helpers every subsystem shares. Text is bytes: one character per byte.
#pragma once

#include <string>
#include <string_view>

namespace fc {

// The value of the longest leading part of `text` (after leading blanks) that reads as a
// decimal number, or 0 when there is none: "60 seconds" reads as 60, "x" as 0.
double LeadingNumber(std::string_view text);

// A number as a whole number: rounded down, and held within what 64 bits can carry.
long long WholeNumber(double value);

// The leading-number rule read as a whole number: WholeNumber(LeadingNumber(text)).
long long LeadingWhole(std::string_view text);

// a + b held within what WholeNumber carries, however large the numbers a server sends.
long long AddWithin(long long a, long long b);

// A whole number written plainly, without blanks: 7, -3.
std::string PlainNumber(long long value);

// A whole number with one leading blank when it is not negative: " 7", "-3".
std::string BlankNumber(long long value);

// Removes leading and trailing blanks (spaces only).
std::string Trim(std::string_view text);
// Case by the Latin-1 code page: accented letters change case too.
std::string ToLower(std::string_view text);
std::string ToUpper(std::string_view text);
bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
bool Contains(std::string_view text, std::string_view part);

}  // namespace fc
