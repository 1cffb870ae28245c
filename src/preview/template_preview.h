// The coloured previews of the two report templates: each template filled with sample values
// and written as an RTF document, which the window's preview fields show.
#pragma once

#include <string>

namespace fc {

class App;

enum class PreviewKind { Deathmatch = 1, TeamGame = 2 };

// Rebuilds both previews (`dmPreviewRtf`, `ctfPreviewRtf`) from the current templates.
void rtfUpdate(App& app);

// The template filled with the kind's sample values, as the bot would say it. The address
// codes take the live server entry; the map shown on the window is left as it was.
std::string previewLine(App& app, const std::string& templ, PreviewKind kind);

// The RTF body text of the filled template: colours, bold and underline as RTF control words.
std::string processPreview(App& app, const std::string& templ, PreviewKind kind);

// The whole document a preview field shows: header, default text colour, body, paragraph end.
std::string previewDocument(App& app, const std::string& templ, PreviewKind kind);

}  // namespace fc
