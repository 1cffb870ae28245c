// Feeds arbitrary bytes to the template preview and its RTF reader. The first byte picks the
// kind, the background and "NoColors"; the rest is the template. Reading any bytes as RTF must
// not fail, and reading the preview's own document must give back the filled line's text
// (formatting characters and colour numbers gone) in the colours the document names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/app.h"
#include "preview/rtf_reader.h"
#include "preview/template_preview.h"
#include "support/fake_platform.h"

namespace {

// The line's text as the preview shows it. Line breaks are no text in RTF source, and a
// template never holds one (a field and a settings line cannot).
std::string shownText(const std::string& line) {
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\x03') {
            for (int n = 0;
                 n < 2 && i + 1 < line.size() && line[i + 1] >= '0' && line[i + 1] <= '9'; ++n)
                ++i;
        } else if (c != '\x02' && c != '\x1F' && c != '\r' && c != '\n') {
            text += c;
        }
    }
    return text + "\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fc::readRtf(bytes);
    if (size == 0) return 0;

    fc::test::FakePlatform platform;
    fc::App app(platform);
    app.preview.blackBackground = data[0] & 1;
    app.preview.previewNoColors = data[0] & 2;
    const auto kind = data[0] & 4 ? fc::PreviewKind::TeamGame : fc::PreviewKind::Deathmatch;
    const std::string templ = bytes.substr(1);
    const fc::RtfDocument doc = fc::readRtf(fc::previewDocument(app, templ, kind));

    std::string text;
    const fc::Rgb textColour = fc::kIrcColours[app.preview.blackBackground ? 0 : 1];
    for (const fc::StyledRun& run : doc.runs) {
        text += run.text;
        if (app.preview.previewNoColors && run.colour != textColour) std::abort();
    }
    if (text != shownText(fc::previewLine(app, templ, kind))) std::abort();
    if (doc.font != "Fixedsys" || doc.halfPoints != 20) std::abort();
    return 0;
}
