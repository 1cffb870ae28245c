// The template preview: the RTF written for a template, the editing keys, the RTF read back
// into styled runs, and the codes help's hand-over of stay-on-top.
#include <gtest/gtest.h>

#include "core/app.h"
#include "preview/codes_help.h"
#include "preview/rtf_reader.h"
#include "preview/template_editor.h"
#include "preview/template_preview.h"
#include "support/fake_platform.h"

namespace fc::test {
namespace {

constexpr auto kDm = PreviewKind::Deathmatch;
constexpr auto kCtf = PreviewKind::TeamGame;

class PreviewTest : public ::testing::Test {
protected:
    FakePlatform platform;
    App app{platform};
};

// In the templates below \002 is bold, \003 colour and \037 underline.
TEST_F(PreviewTest, BodyTextOfTemplates) {
    const struct {
        const char* templ;
        PreviewKind kind;
        bool black, noColors;
        const char* body;
    } cases[] = {
        {"", kDm, false, false, ""},
        {"\0034x", kDm, false, false, "\\cf5 x"},
        {"\00304x", kDm, false, false, "\\cf5 x"},
        {"\003123", kDm, false, false, "\\cf13 3"},
        {"\003x", kDm, false, false, "\\cf2 x"},
        {"\003x", kDm, true, false, "\\cf1 x"},
        {"a\00312", kDm, false, false, "a"},
        {"\002\002", kDm, false, false, "\\b \\b0 "},
        {"\037a\037", kDm, false, false, "\\ul a\\ul0 "},
        {"\0034\002x\037y\003", kDm, false, true, "\\b x\\ul y"},
        {"\003\0039x", kDm, false, false, "\\cf2 \\cf10 x"},
        {"\00316x\00399", kDm, false, false, "\\cf17 x"},
        {"\0034,12x", kDm, false, false, "\\cf5 ,12x"},
        {"a\\b{c}", kDm, false, false, "a\\\\b\\{c\\}"},
        {"%map% %at% %as% %ap% %ae% %bt% %bs% %bp% %be% %c% %tl%", kDm, false, false,
         "q2dm1 Red 74 210 -3 Blue 55 190 +5 N/A 14:34"},
        {"%map% %at% %as% %ap% %ae% %bt% %bs% %bp% %be% %c% %tl%", kCtf, false, false,
         "q2ctf1 Red 5 188 N/A Blue 4 156 N/A Grimhawk 14:34"},
        {"%sv%|%svlang%", kCtf, false, false, "10.0.0.1:27960|10.0.0.1:27960 Friday"},
    };
    app.view.Q2Serverlist = "10.0.0.1:27960 Friday";
    app.view.qsMap = "live";
    for (const auto& c : cases) {
        app.view.blackBackground = c.black;
        app.view.PreviewNoColors = c.noColors;
        EXPECT_EQ(ProcessPreview(app, c.templ, c.kind), c.body) << c.templ;
    }
    EXPECT_EQ(app.view.qsMap, "live");
}

TEST_F(PreviewTest, DocumentsOfBothTemplates) {
    const std::string header =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Fixedsys;}}{\\colortbl "
        ";\\red255\\green255\\blue255;\\red0\\green0\\blue0;\\red0\\green0\\blue128;\\red0"
        "\\green128\\blue0;\\red255\\green0\\blue0;\\red128\\green0\\blue0;\\red156\\green0"
        "\\blue156;\\red252\\green127\\blue0;\\red255\\green255\\blue0;\\red0\\green255\\blue0;"
        "\\red0\\green128\\blue128;\\red0\\green255\\blue255;\\red0\\green0\\blue255;\\red255"
        "\\green0\\blue255;\\red128\\green128\\blue128;\\red192\\green192\\blue192;}\\viewkind4"
        "\\uc1\\pard\\lang1033\\f0\\fs20 ";
    OnTemplateEdited(app, TemplateField::Dm, "%as%");
    OnTemplateEdited(app, TemplateField::Ctf, "%as%");
    EXPECT_EQ(app.view.rtfDM, header + "\\cf2 74\\par }");
    EXPECT_EQ(app.view.rtfCTF, header + "\\cf2 5\\par }");
    SetPreviewBackground(app, true);
    EXPECT_EQ(app.view.rtfDM, header + "\\cf1 74\\par }");
    OnTemplateEdited(app, TemplateField::Dm, "\00304%as%");
    SetPreviewNoColors(app, true);
    EXPECT_EQ(app.view.rtfDM, header + "\\cf1 74\\par }");
    ResetTemplates(app);
    EXPECT_EQ(app.view.IRCLineDM.substr(0, 12), "SCORE: \002\00304[");
    EXPECT_EQ(app.view.rtfCTF.substr(header.size()),
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
        EXPECT_EQ(FormattingKey("abc", c.cursor, c.key, c.modifiers), c.expected) << c.key;
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
        {"{\\b1 a}b\\b2 c\\plain d\\ul e\\ulnone f",
         {{"a", {}, true}, {"b"}, {"c", {}, true}, {"d"}, {"e", {}, false, true}, {"f"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadRtf(c.rtf).runs, c.runs) << c.rtf;
    const RtfDocument doc = ReadRtf(table + "\\fs20 }");
    EXPECT_EQ(doc.font, "Fixedsys");
    EXPECT_EQ(doc.halfPoints, 20);
    EXPECT_EQ(ReadRtf("\\fs999999999").halfPoints, 999999999);
    EXPECT_EQ(ReadRtf("\\fs99999999999999999999").halfPoints, 1000000000);  // held, not wrapped
}

TEST_F(PreviewTest, CodesHelpHandsStayOnTopOverAndBack) {
    for (const bool onTop : {true, false}) {
        app.view.stayOnTop = onTop;
        OpenCodesHelp(app);
        EXPECT_FALSE(app.view.stayOnTop);
        EXPECT_FALSE(app.view.Command16Enabled);
        EXPECT_TRUE(app.view.Form4Visible);
        CloseCodesHelp(app);
        EXPECT_EQ(app.view.stayOnTop, onTop);
        EXPECT_TRUE(app.view.Command16Enabled);
        EXPECT_FALSE(app.view.Form4Visible);
        EXPECT_EQ(app.view.Command16Tag, "0");
    }
    EXPECT_EQ(
        CodesHelpCodeList(),
        "Codes used in IRC Lines:\r\n%at% = Team name (Team A)\r\n%bt% = Team name (Team B)\r\n"
        "%as% = Team score (Team A)\r\n%bs% = Team score (Team B)\r\n%ae% = Point received "
        "since last poll (A)\r\n%be% = Point received since last poll (B)\r\n%ap% = Average "
        "ping of team A\r\n%bp% = Average ping of team B\r\n%c%  = Flag capped by (CTF "
        "only)\r\n%tl% = Time left\r\n%map% = Map playing\r\n%sv% = Server IP\r\n"
        "%svlang% = Server IP and Server name\r\n");
    EXPECT_EQ(CodesHelpKeyList(),
              "ALT+B = Add BOLD code\r\nALT+U = Add UNDERLINE code\r\nALT+K = Add COLOR code\r\n");
}

}  // namespace
}  // namespace fc::test
