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
Samples samplesFor(PreviewKind kind) {
    if (kind == PreviewKind::Deathmatch) {
        return {"q2dm1",
                {"Red", "Blue", "74", "55", "210", "190", "-3", "+5", "N/A",
                 TimeLeft::clock(std::chrono::seconds(14 * 60 + 34))}};
    }
    return {"q2ctf1",
            {"Red", "Blue", "5", "4", "188", "156", "N/A", "N/A", "Grimhawk",
             TimeLeft::clock(std::chrono::seconds(14 * 60 + 34))}};
}

std::string rtfHeader() {
    std::string header =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Fixedsys;}}"
        "{\\colortbl ;";
    for (const Rgb& c : kIrcColours) {
        header += "\\red" + plainNumber(c.red) + "\\green" + plainNumber(c.green) + "\\blue" +
                  plainNumber(c.blue) + ";";
    }
    return header + "}\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs20 ";
}

// The RTF colour of an IRC colour number: entry 0 of the table is the automatic colour.
std::string colourWord(int ircColour) {
    return "\\cf" + plainNumber(ircColour + 1) + " ";
}

}  // namespace

std::string previewLine(App& app, const std::string& templ, PreviewKind kind) {
    const Samples samples = samplesFor(kind);
    std::string& map = app.monitor.mapText;
    const std::string shownMap = map;
    map = samples.map;
    std::string line = expandTemplate(app, templ, samples.values);
    map = shownMap;
    return line;
}

std::string processPreview(App& app, const std::string& templ, PreviewKind kind) {
    const std::string line = previewLine(app, templ, kind);
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
            if (digits.empty()) digits = app.preview.blackBackground ? "0" : "1";
            if (!app.preview.previewNoColors)
                rtf += colourWord(static_cast<int>(leadingWhole(digits)));
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

std::string previewDocument(App& app, const std::string& templ, PreviewKind kind) {
    const std::string textColour = app.preview.blackBackground ? "\\cf1 " : "\\cf2 ";
    return rtfHeader() + textColour + processPreview(app, templ, kind) + "\\par }";
}

void rtfUpdate(App& app) {
    app.preview.dmPreviewRtf =
        previewDocument(app, app.settings.dmTemplate, PreviewKind::Deathmatch);
    app.preview.ctfPreviewRtf =
        previewDocument(app, app.settings.ctfTemplate, PreviewKind::TeamGame);
}

}  // namespace fc
