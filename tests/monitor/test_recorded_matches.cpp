#include <gtest/gtest.h>

#include <regex>

#include "support/steps.h"

namespace fc::test {
namespace {

// A real server's games, as its log tells: one Begin per game however often the frag sums fall
// back to 0:0, the game's own captures in its final score; "defaultDM" is the periodic report.
// Untagged, the same matches with the players' clan tags taken out: no side is known, so each
// capture is said once with its capper, no count rises and the sides read 0.
TEST(RecordedMatch, ShowAndSayWhatHappened) {
    const std::string begin = "*** MATCH BEGIN *** Map playing: ";
    const std::string at = "   Server: 127.0.0.1:27974   Time Left: ";
    const std::string kBeginCtf = begin + "oa_ctf4ish" + at + "5:00",
                      kBeginTdm = begin + "oa_dm1" + at + "3:00";
    // clang-format off
    const std::tuple<std::string, std::vector<std::string>, std::size_t, const char*> games[] = {
    {"ctf_oa_ctf4ish_x4 untagged",
     {kBeginCtf, "CAP Grunt [Red team]0 [Blue team]0", "CAP Grism [Red team]0 [Blue team]0", "CAP Major [Red team]0 [Blue team]0",
      "defaultDM", "*** MATCH HAS ENDED! *** FINAL SCORE: [Red team] 0 (0) / [Blue team] 0 (0)",
      "Top capper: Grunt (1)  Top fragger: Grunt (10)  Played: 1:13", kBeginCtf},
     50, "ctfbq3|43|6|Sarge/2/\"^1^7Sarge\"/2/\"Sarge\"/2/0/Spec|0/0|3:57"},
    {"ctf_oa_ctf4ish_x4",
     {kBeginCtf, "CAP =RC=Grunt [BC]0 [RC]1", "CAP [BC]Grism [BC]1 [RC]1", "CAP =RC=Major [BC]1 [RC]2", "defaultDM",
      "*** MATCH HAS ENDED! *** FINAL SCORE: [BC] 1 (8) / [RC] 2 (21)",
      "Top capper: =RC=Grunt (1)  Top fragger: =RC=Grunt (10)  Played: 1:13", kBeginCtf},
     50, "ctfbq3|43|6|=RC=Sarge/2/\"^1=RC=^7Sarge\"/2/\"=RC=Sarge\"/2/0/Blue|1/8|3:57"},
    {"tdm_oa_dm1_x1 untagged",
     {kBeginTdm, "defaultDM", "defaultDM", "*** MATCH HAS ENDED! *** FINAL SCORE: [Red team] 0 / [Blue team] 0",
      "Top fragger: Grism (8)  Played: 2:41", kBeginTdm},
     105, "dmbq3|43|6|Sarge/5/\"^1^7Sarge\"/5/\"Sarge\"/5/0/Spec|0 0|1:03"},
    {"tdm_oa_dm1_x1",
     {kBeginTdm, "defaultDM", "defaultDM", "*** MATCH HAS ENDED! *** FINAL SCORE: [BC] 15 / [RC] 19",
      "Top fragger: [BC]Grism (8)  Played: 2:41", kBeginTdm},
     105, "dmbq3|43|6|=RC=Sarge/5/\"^1=RC=^7Sarge\"/5/\"=RC=Sarge\"/5/0/Blue|0 7|1:03"},
    };
    // clang-format on
    for (const auto& [name, lines, statusAt, status] : games) {
        SCOPED_TRACE(name);
        auto replies = loadCapture(name.substr(0, name.find(' ')) + ".q3cap");
        const std::regex tags(name.ends_with("untagged") ? R"(=RC=|\[BC\])" : "$^");
        for (RecordedReply& r : replies) r.bytes = std::regex_replace(r.bytes, tags, "");
        ASSERT_FALSE(replies.empty()) << "recordings not found in " << FRAGCASTER_CAPTURES_DIR;
        Steps m("");
        m.app.settings.ctfTemplate = "CAP %c% [%at%]%as% [%bt%]%bs%";
        m.app.settings.dmTemplate = "defaultDM";
        m.switchOn("127.0.0.1:27974 recorded");
        long long now = 0;
        std::size_t answered = 0;
        for (const RecordedReply& r : replies) {
            m.platform.advance(r.ms + 1000 - now);  // the first query went a second after start
            now = r.ms + 1000;
            if (!r.answered) continue;
            m.reply(r.bytes, "127.0.0.1", 27974);
            const bool lookedAt = answered++ == statusAt;
            EXPECT_EQ(lookedAt ? m.status() : "", lookedAt ? status : "");
            ASSERT_EQ(std::tie(m.app.monitor.gameFamily, m.app.monitor.gameText),
                      std::tuple(GameFamily::Q3, "baseoa"));
        }
        EXPECT_EQ(std::tie(m.output.replies, m.app.settings.serverEntry, m.said.lines),
                  std::tuple(int(answered), "127.0.0.1:27974 recorded", lines));
    }
}

}  // namespace
}  // namespace fc::test
