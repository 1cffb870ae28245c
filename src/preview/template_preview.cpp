#include "preview/template_preview.h"

#include "core/app.h"
#include "core/text_util.h"
#include "match/report_lines.h"
#include "preview/irc_colours.h"

namespace fc {

namespace {

constexpr char kBold = '\x02';
constexpr char kColour = '\x03';
constexpr char kUnderline = '\x1F';

struct Samples {
    const char* map;
    ReportValues values;
};

// The values a preview shows in place of a live match.
Samples SamplesFor(PreviewKind kind) {
    if (kind == PreviewKind::Deathmatch) {
        return {"q2dm1", {"Red", "Blue", "74", "55", "210", "190", "-3", "+5", "N/A", "14:34"}};
    }
    return {"q2ctf1", {"Red", "Blue", "5", "4", "188", "156", "N/A", "N/A", "Grimhawk", "14:34"}};
}

std::string Header() {
    std::string header =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Fixedsys;}}"
        "{\\colortbl ;";
    for (const Rgb& c : kIrcColours) {
        header += "\\red" + PlainNumber(c.red) + "\\green" + PlainNumber(c.green) + "\\blue" +
                  PlainNumber(c.blue) + ";";
    }
    return header + "}\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs20 ";
}

// The RTF colour of an IRC colour number: entry 0 of the table is the automatic colour.
std::string ColourWord(int ircColour) {
    return "\\cf" + PlainNumber(ircColour + 1) + " ";
}

}  // namespace

std::string PreviewLine(App& app, const std::string& templ, PreviewKind kind) {
    const Samples samples = SamplesFor(kind);
    std::string& map = app.view.qsMap;
    const std::string shownMap = map;
    map = samples.map;
    std::string line = MaakRegel(app, templ, samples.values);
    map = shownMap;
    return line;
}

std::string ProcessPreview(App& app, const std::string& templ, PreviewKind kind) {
    const MainView& v = app.view;
    const std::string line = PreviewLine(app, templ, kind);
    std::string rtf;
    bool colourPending = false;
    std::string digits;
    bool bold = false;
    bool underline = false;
    for (char c : line) {
        const bool digit = c >= '0' && c <= '9';
        if (colourPending && digit && digits.size() < 2) {
            digits += c;
            continue;
        }
        if (colourPending) {
            // No number: the colour that stands out from the background.
            if (digits.empty()) digits = v.blackBackground ? "0" : "1";
            if (!v.PreviewNoColors) rtf += ColourWord(static_cast<int>(LeadingWhole(digits)));
            digits.clear();
            colourPending = false;
        }
        switch (c) {
            case kColour:
                colourPending = true;
                break;
            case kUnderline:
                rtf += underline ? "\\ul0 " : "\\ul ";
                underline = !underline;
                break;
            case kBold:
                rtf += bold ? "\\b0 " : "\\b ";
                bold = !bold;
                break;
            // A template cannot break the document: RTF's own characters are escaped.
            case '\\':
            case '{':
            case '}':
                rtf += '\\';
                rtf += c;
                break;
            default:
                rtf += c;
        }
    }
    return rtf;  // a colour code at the very end writes nothing
}

std::string PreviewDocument(App& app, const std::string& templ, PreviewKind kind) {
    const std::string textColour = app.view.blackBackground ? "\\cf1 " : "\\cf2 ";
    return Header() + textColour + ProcessPreview(app, templ, kind) + "\\par }";
}

void rtfUpdate(App& app) {
    MainView& v = app.view;
    v.rtfDM = PreviewDocument(app, v.IRCLineDM, PreviewKind::Deathmatch);
    v.rtfCTF = PreviewDocument(app, v.IRCLineCTF, PreviewKind::TeamGame);
}

}  // namespace fc
