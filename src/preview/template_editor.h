// The template editor's actions: the keys that put formatting characters into a template, the
// edits, the preview's background and colour switches, and "Reset".
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace fc {

class App;

struct KeyModifiers {
    bool alt = false;
    bool shift = false;
    bool ctrl = false;  // Control, or any other modifier the desktop has
};

struct EditedText {
    std::string text;
    std::size_t cursor = 0;

    bool operator==(const EditedText&) const = default;
};

// Alt+B, Alt+U and Alt+K (Alt alone; the letter in either case) put bold, underline and colour
// in at the cursor, leaving a selection alone, with the cursor after it. Nothing for any
// other key.
std::optional<EditedText> formattingKey(const std::string& text, std::size_t cursor, char key,
                                        KeyModifiers modifiers);

// Which template a field edits.
enum class TemplateField { Ctf, Dm };

void onTemplateEdited(App& app, TemplateField field, const std::string& text);

// "Black" and "White": the previews' background, their text in the colour that stands out.
void setPreviewBackground(App& app, bool black);
// "NoColors": the previews without their colours; bold and underline stay.
void setPreviewNoColors(App& app, bool on);
// "Reset": both templates back to the built-in lines.
void resetTemplates(App& app);

}  // namespace fc
