// Reads the RTF the template previews are written in: the font and colour tables, the text
// colour, bold, underline, paragraphs and escaped characters, into runs of styled text that a
// window can show as they are. Anything else in a document is passed over; no input makes it
// fail.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "preview/irc_colours.h"

namespace fc {

struct StyledRun {
    std::string text;           // bytes; LF where a paragraph ends
    std::optional<Rgb> colour;  // none: the automatic colour
    bool bold = false;
    bool underline = false;

    bool operator==(const StyledRun&) const = default;
};

struct RtfDocument {
    std::string font;     // the first font of the font table
    int halfPoints = 24;  // the font size, in half points
    std::vector<StyledRun> runs;
};

RtfDocument readRtf(std::string_view rtf);

}  // namespace fc
