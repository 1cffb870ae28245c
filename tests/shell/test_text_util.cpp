// The leading-number rule, case in the Latin-1 code page, and the two ways numbers are written.
#include <gtest/gtest.h>

#include "core/text_util.h"

namespace fc {
namespace {

TEST(TextUtil, LeadingNumbersCaseAndNumberForms) {
    const std::pair<const char*, double> numbers[] = {
        {"60 seconds", 60}, {"  45", 45}, {"-3x", -3}, {"12.5/3", 12.5},
        {"abc", 0},         {"", 0},      {"-", 0}};
    for (const auto& [text, number] : numbers) EXPECT_EQ(leadingNumber(text), number) << text;
    EXPECT_EQ(leadingNumber(std::string(400, '9')), 0);  // too large to be a number at all
    // The multiplication and division signs, sharp s and y with diaeresis have no other case.
    const std::pair<std::string, std::string> lowerUpper[] = {
        {"abc xyz", "ABC XYZ"},
        {"\xE9t\xE9", "\xC9T\xC9"},
        {"\xE0\xFE", "\xC0\xDE"},
        {"\xF7\xD7\xDF\xFF", "\xF7\xD7\xDF\xFF"}};
    for (const auto& [lower, upper] : lowerUpper) {
        EXPECT_EQ(toUpper(lower), upper);
        EXPECT_EQ(toLower(upper), lower);
    }
    EXPECT_EQ(plainNumber(7) + blankNumber(7) + blankNumber(0) + blankNumber(-3), "7 7 0-3");
}

}  // namespace
}  // namespace fc
