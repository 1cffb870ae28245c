#include "preview/template_editor.h"

#include <algorithm>
#include <utility>

#include "core/app.h"
#include "preview/template_preview.h"

namespace fc {

namespace {

// Alt with the letter puts in the character: bold, underline, colour.
constexpr std::pair<char, char> kFormattingKeys[] = {{'B', '\x02'}, {'U', '\x1F'}, {'K', '\x03'}};

}  // namespace

std::optional<EditedText> formattingKey(const std::string& text, std::size_t cursor, char key,
                                        KeyModifiers modifiers) {
    if (!modifiers.alt || modifiers.shift || modifiers.ctrl) return std::nullopt;
    for (const auto& [letter, code] : kFormattingKeys) {
        if (key != letter && key != letter - 'A' + 'a') continue;
        const std::size_t at = std::min(cursor, text.size());
        EditedText edited{text, at + 1};
        edited.text.insert(at, 1, code);
        return edited;
    }
    return std::nullopt;
}

void onTemplateEdited(App& app, TemplateField field, const std::string& text) {
    (field == TemplateField::Ctf ? app.settings.ctfTemplate : app.settings.dmTemplate) = text;
    rtfUpdate(app);
}

void setPreviewBackground(App& app, bool black) {
    app.preview.blackBackground = black;
    rtfUpdate(app);
}

void setPreviewNoColors(App& app, bool on) {
    app.preview.previewNoColors = on;
    rtfUpdate(app);
}

void resetTemplates(App& app) {
    app.settings.ctfTemplate = kBuiltInCtfLine;
    app.settings.dmTemplate = kBuiltInDmLine;
    rtfUpdate(app);
}

}  // namespace fc
