#include "preview/template_editor.h"

#include "core/app.h"
#include "preview/template_preview.h"

namespace fc {

std::optional<EditedText> FormattingKey(const std::string& text, std::size_t cursor, char key,
                                        KeyModifiers modifiers) {
    if (!modifiers.alt || modifiers.shift || modifiers.ctrl) return std::nullopt;
    char code = 0;
    switch (key) {
        case 'B':
        case 'b':
            code = '\x02';
            break;
        case 'U':
        case 'u':
            code = '\x1F';
            break;
        case 'K':
        case 'k':
            code = '\x03';
            break;
        default:
            return std::nullopt;
    }
    const std::size_t at = cursor < text.size() ? cursor : text.size();
    EditedText edited{text, at + 1};
    edited.text.insert(at, 1, code);
    return edited;
}

void OnTemplateEdited(App& app, TemplateField field, const std::string& text) {
    (field == TemplateField::Ctf ? app.view.IRCLineCTF : app.view.IRCLineDM) = text;
    rtfUpdate(app);
}

void SetPreviewBackground(App& app, bool black) {
    app.view.blackBackground = black;
    rtfUpdate(app);
}

void SetPreviewNoColors(App& app, bool on) {
    app.view.PreviewNoColors = on;
    rtfUpdate(app);
}

void ResetTemplates(App& app) {
    app.view.IRCLineCTF = kBuiltInCtfLine;
    app.view.IRCLineDM = kBuiltInDmLine;
    rtfUpdate(app);
}

}  // namespace fc
