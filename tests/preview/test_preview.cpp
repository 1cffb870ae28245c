// The template preview: its RTF, the editing keys, the RTF reader, the codes help.
#include <gtest/gtest.h>

#include <sstream>

#include "core/app.h"
#include "preview/codes_help.h"
#include "preview/rtf_reader.h"
#include "preview/template_editor.h"
#include "preview/template_preview.h"
#include "support/fake_platform.h"

namespace fc::test {
namespace {

struct PreviewTest : ::testing::Test {
    FakePlatform platform;
    App app{platform};
};

// The document's body for a template, with the sample values of a deathmatch or a team game;
// colours are the colour table's numbers (IRC's plus one), on a black background or none at all.
TEST_F(PreviewTest, BodyTextOfTemplates) {
    app.settings.serverEntry = "10.0.0.1:27960 Friday", app.monitor.mapText = "live";
    const char* const codes = "%map% %at% %as% %ap% %ae% %bt% %bs% %bp% %be% %c% %tl%";
    // clang-format off
    const struct { const char *templ, *body; bool teamGame = false, black = false, noColors = false; } rows[] = {
        {"", ""}, {"\0034x", "\\cf5 x"}, {"\00304x", "\\cf5 x"}, {"\003123", "\\cf13 3"},
        {"\003x", "\\cf2 x"}, {"\003x", "\\cf1 x", false, true}, {"a\00312", "a"},
        {"\002\002", "\\b \\b0 "}, {"\037a\037", "\\ul a\\ul0 "}, {"\003\0039x", "\\cf2 \\cf10 x"},
        {"\0034\002x\037y\003", "\\b x\\ul y", false, false, true}, {"\00316x\00399", "\\cf17 x"},
        {"\0034,12x", "\\cf5 ,12x"}, {"a\\b{c}", "a\\\\b\\{c\\}"},
        {codes, "q2dm1 Red 74 210 -3 Blue 55 190 +5 N/A 14:34"},
        {codes, "q2ctf1 Red 5 188 N/A Blue 4 156 N/A Grimhawk 14:34", true},
        {"%sv%|%svlang%", "10.0.0.1:27960|10.0.0.1:27960 Friday", true}};  // clang-format on
    for (const auto& r : rows) {
        app.preview.blackBackground = r.black;
        app.preview.previewNoColors = r.noColors;
        const PreviewKind kind = r.teamGame ? PreviewKind::TeamGame : PreviewKind::Deathmatch;
        EXPECT_EQ(processPreview(app, r.templ, kind), r.body) << r.templ;
    }
    EXPECT_EQ(app.monitor.mapText, "live");
}

// Fixedsys at ten points, the colours read back; both documents follow each change.
TEST_F(PreviewTest, DocumentsOfBothTemplatesAndTheCodesHelp) {
    const RtfDocument doc = readRtf(previewDocument(app, "\00315x", PreviewKind::Deathmatch));
    EXPECT_EQ(doc.runs, (std::vector<StyledRun>{{"x\n", Rgb{192, 192, 192}}}));
    EXPECT_EQ(doc.font + " " + std::to_string(doc.halfPoints), "Fixedsys 20");
    const auto body = [](const std::string& rtf) { return rtf.substr(rtf.find("\\fs20 ") + 6); };
    onTemplateEdited(app, TemplateField::Dm, "%as%");
    onTemplateEdited(app, TemplateField::Ctf, "%bs%");
    EXPECT_EQ(body(app.preview.dmPreviewRtf) + body(app.preview.ctfPreviewRtf),
              "\\cf2 74\\par }\\cf2 4\\par }");
    setPreviewBackground(app, true);
    EXPECT_EQ(body(app.preview.dmPreviewRtf), "\\cf1 74\\par }");
    onTemplateEdited(app, TemplateField::Dm, "\00304%as%");
    setPreviewNoColors(app, true);
    EXPECT_EQ(body(app.preview.dmPreviewRtf), "\\cf1 74\\par }");
    resetTemplates(app);
    EXPECT_EQ(body(app.preview.ctfPreviewRtf),
              "\\cf1 Map: q2ctf1 - Red: 5 - Blue: 4 - TL: 14:34 - Cap by Grimhawk\\par }");
    std::istringstream help(codesHelpCodeList());  // each code listed is one the lines know
    for (std::string line; std::getline(help, line);) {
        onTemplateEdited(app, TemplateField::Dm, line.substr(0, line.find(' ')));
        EXPECT_EQ(body(app.preview.dmPreviewRtf).find('%'), std::string::npos) << line;
    }
    // The codes help hands stay-on-top over and back.
    const auto state = [&] {
        return std::tuple(app.window.stayOnTop, app.preview.codesButtonEnabled,
                          app.preview.codesHelpVisible);
    };
    for (const bool onTop : {true, false, false}) {  // the last: nothing left over to restore
        app.window.stayOnTop = onTop;
        openCodesHelp(app);
        EXPECT_EQ(state(), std::tuple(false, false, true));
        closeCodesHelp(app), closeCodesHelp(app);  // the second changes nothing
        EXPECT_EQ(state(), std::tuple(onTop, true, false));
    }
}

TEST(FormattingKey, AltAloneInsertsAtTheCursor) {
    const KeyModifiers alt{true, false, false};
    const std::tuple<char, KeyModifiers, std::size_t, std::optional<EditedText>> rows[] = {
        // clang-format off
        {'B', alt, 1, EditedText{"a\002bc", 2}}, {'u', alt, 0, EditedText{"\037abc", 1}},
        {'K', alt, 9, EditedText{"abc\003", 4}}, {'B', {true, true, false}, 1, std::nullopt},
        {'B', {true, false, true}, 1, std::nullopt}, {'B', {}, 1, std::nullopt},
        {'X', alt, 1, std::nullopt}};  // clang-format on
    for (const auto& [key, modifiers, cursor, edited] : rows)
        EXPECT_EQ(formattingKey("abc", cursor, key, modifiers), edited) << key;
}

TEST(RtfReader, StyledRunsOfTheSubset) {
    const Rgb red{255, 0, 0};
    const std::string table =
        "{\\rtf1{\\fonttbl{\\f0\\fnil Fixedsys;}{\\f1 Other;}}{\\colortbl "
        ";\\red255\\green0\\blue0;}";
    const std::pair<std::string, std::vector<StyledRun>> rows[] = {
        // clang-format off
        {table + "_\\cf1 a\\b b\\b0\\ul c\\ul0 d\\par}",
         {{"_"}, {"a", red}, {"b", red, true}, {"c", red, false, true}, {"d\n", red}}},
        {table + "\\cf1 x\\cf y\\cf7 z\\cf-1 w\\cf1\\plain v}", {{"x", red}, {"yzwv", {}}}},
        {"\\\\\\{\\}\\'e9\\'zz\r\n{\\*\\unknown hidden}\\tab\\~!}}{", {{"\\{}\xE9zz!", {}}}},
        {"caf\\'e9abc\\'4\\", {{"caf\xE9" "abc4", {}}}},  // two hex digits, no more; a lone last "\"
        {"{\\colortbl ;\\red256\\green-5\\blue7;}\\cf1 q", {{"q", Rgb{255, 0, 7}}}},
        {"{\\b1 a}b\\b2 c\\plain d\\ul e\\ulnone f",
         {{"a", {}, true}, {"b"}, {"c", {}, true}, {"d"}, {"e", {}, false, true}, {"f"}}}};
    // clang-format on
    for (const auto& [rtf, runs] : rows) EXPECT_EQ(readRtf(rtf).runs, runs) << rtf;
    EXPECT_EQ(readRtf(table + "\\fs20 }").font, "Fixedsys");
    EXPECT_EQ(readRtf("\\fs999999999\\fs0").halfPoints, 999999999);         // a size 0 is none
    EXPECT_EQ(readRtf("\\fs99999999999999999999").halfPoints, 1000000000);  // held, not wrapped
}

}  // namespace
}  // namespace fc::test
