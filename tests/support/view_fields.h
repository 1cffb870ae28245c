// The window's fields by their names in the view model, read and set as text, for the case
// files: bools as true/false, the match state as its number, the game family as Q2/Q3/UT/None,
// the game type as its code ("ctfbq3"), lists with their entries between commas.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/app.h"

namespace fc::test {

// The field's text, or nothing when there is no field of that name.
std::optional<std::string> fieldText(App& app, const std::string& name);

// Puts `value` into the field; false when there is no field of that name.
bool setFieldText(App& app, const std::string& name, const std::string& value);

// The entries of a list written between `by`s, empty ones too; none in an empty text.
std::vector<std::string> splitList(const std::string& text, char by = ',');

}  // namespace fc::test
