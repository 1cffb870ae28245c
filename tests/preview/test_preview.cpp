// The template preview: the RTF written for a template, the editing keys, the RTF read back
// into styled runs, and the codes help's hand-over of stay-on-top.
#include <gtest/gtest.h>

#include "core/app.h"
#include "preview/codes_help.h"
#include "preview/rtf_reader.h"
#include "preview/template_editor.h"
#include "preview/template_preview.h"
#include "support/cases.h"
#include "support/fake_platform.h"

namespace fc::test {
namespace {

constexpr auto kDm = PreviewKind::Deathmatch;
constexpr auto kCtf = PreviewKind::TeamGame;

class PreviewTest : public ::testing::Test {
protected:
    FakePlatform platform;
    App app{platform};
    const std::vector<Case> cases = loadCases("preview/cases/preview.txt");
    const std::string header = caseNamed(cases, "header").get("text");
};

TEST_F(PreviewTest, BodyTextOfTemplates) {
    app.settings.serverEntry = "10.0.0.1:27960 Friday";
    app.monitor.mapText = "live";
    for (const Case& c : cases) {
        if (!c.has("body")) continue;
        SCOPED_TRACE(c.name);
        app.preview.blackBackground = c.has("black");
        app.preview.previewNoColors = c.has("no-colors");
        const std::string templ = c.name == "(empty)" ? "" : unescape(c.name);
        EXPECT_EQ(processPreview(app, templ, c.has("kind") ? kCtf : kDm), c.get("body"));
    }
    EXPECT_EQ(app.monitor.mapText, "live");
}

TEST_F(PreviewTest, DocumentsOfBothTemplates) {
    onTemplateEdited(app, TemplateField::Dm, "%as%");
    onTemplateEdited(app, TemplateField::Ctf, "%as%");
    EXPECT_EQ(app.preview.dmPreviewRtf, header + "\\cf2 74\\par }");
    EXPECT_EQ(app.preview.ctfPreviewRtf, header + "\\cf2 5\\par }");
    setPreviewBackground(app, true);
    EXPECT_EQ(app.preview.dmPreviewRtf, header + "\\cf1 74\\par }");
    onTemplateEdited(app, TemplateField::Dm, "\00304%as%");
    setPreviewNoColors(app, true);
    EXPECT_EQ(app.preview.dmPreviewRtf, header + "\\cf1 74\\par }");
    resetTemplates(app);
    EXPECT_EQ(app.settings.dmTemplate.substr(0, 12), "SCORE: \002\00304[");
    EXPECT_EQ(app.preview.ctfPreviewRtf.substr(header.size()),
              "\\cf1 Map: q2ctf1 - Red: 5 - Blue: 4 - TL: 14:34 - Cap by Grimhawk\\par }");
}

TEST(FormattingKey, AltAloneInsertsAtTheCursor) {
    const KeyModifiers alt{true, false, false};
    const struct {
        char key;
        KeyModifiers modifiers;
        std::size_t cursor;
        std::optional<EditedText> expected;
    } cases[] = {
        {'B', alt, 1, EditedText{"a\002bc", 2}},
        {'u', alt, 0, EditedText{"\037abc", 1}},
        {'K', alt, 9, EditedText{"abc\003", 4}},
        {'B', {true, true, false}, 1, std::nullopt},
        {'B', {true, false, true}, 1, std::nullopt},
        {'B', {}, 1, std::nullopt},
        {'X', alt, 1, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formattingKey("abc", c.cursor, c.key, c.modifiers), c.expected) << c.key;
}

TEST(RtfReader, StyledRunsOfTheSubset) {
    const Rgb red{255, 0, 0};
    const std::string table =
        "{\\rtf1{\\fonttbl{\\f0\\fnil Fixedsys;}{\\f1 Other;}}{\\colortbl "
        ";\\red255\\green0\\blue0;}";
    const struct {
        std::string rtf;
        std::vector<StyledRun> runs;
    } cases[] = {
        {table + "\\cf1 a\\b b\\b0\\ul c\\ul0 d\\par}",
         {{"a", red}, {"b", red, true}, {"c", red, false, true}, {"d\n", red}}},
        {table + "\\cf1 x\\cf y\\cf7 z\\cf-1 w}", {{"x", red}, {"yzw", {}}}},
        {"\\\\\\{\\}\\'e9\\'zz\r\n{\\*\\unknown hidden}\\tab\\~!}}{", {{"\\{}\xE9zz!", {}}}},
        {"{\\colortbl ;\\red256\\green-5\\blue7;}\\cf1 q", {{"q", Rgb{255, 0, 7}}}},
        {"{\\b1 a}b\\b2 c\\plain d\\ul e\\ulnone f",
         {{"a", {}, true}, {"b"}, {"c", {}, true}, {"d"}, {"e", {}, false, true}, {"f"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(readRtf(c.rtf).runs, c.runs) << c.rtf;
    const RtfDocument doc = readRtf(table + "\\fs20 }");
    EXPECT_EQ(doc.font, "Fixedsys");
    EXPECT_EQ(doc.halfPoints, 20);
    EXPECT_EQ(readRtf("\\fs999999999").halfPoints, 999999999);
    EXPECT_EQ(readRtf("\\fs99999999999999999999").halfPoints, 1000000000);  // held, not wrapped
}

TEST_F(PreviewTest, CodesHelpHandsStayOnTopOverAndBack) {
    for (const bool onTop : {true, false}) {
        app.window.stayOnTop = onTop;
        openCodesHelp(app);
        EXPECT_FALSE(app.window.stayOnTop);
        EXPECT_FALSE(app.preview.codesButtonEnabled);
        EXPECT_TRUE(app.preview.codesHelpVisible);
        closeCodesHelp(app);
        EXPECT_EQ(app.window.stayOnTop, onTop);
        EXPECT_TRUE(app.preview.codesButtonEnabled);
        EXPECT_FALSE(app.preview.codesHelpVisible);
        EXPECT_FALSE(app.preview.codesHelpLoweredWindow);
    }
    EXPECT_EQ(codesHelpCodeList(), caseNamed(cases, "codes").get("text"));
    EXPECT_EQ(codesHelpKeyList(), caseNamed(cases, "keys").get("text"));
}

}  // namespace
}  // namespace fc::test
