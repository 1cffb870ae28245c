// The operator's console: how channel events are shown, the nick list, and the input line.
#include "irc/console.h"
#include "irc/outgoing.h"
#include "irc_fixture.h"

namespace fc::test {
namespace {

class ConsoleTest : public IrcTest {
protected:
    void SetUp() override {
        joinChannel();
        view().IRConjoin = false;
        view().ircLijst = {"@op", "joe", "ann", "joe"};
    }
    void type(const std::string& text) {
        view().ircZegwat = text;
        OnIrcInputEnter(app);
    }
};

TEST_F(ConsoleTest, ChannelEventsAreShownAndKeepTheNickList) {
    receive(":ann!~a@host PRIVMSG #FCST :hello \x02all\x02\r\n");
    receive(":joe!~j@host QUIT :Ping timeout\r\n");
    receive(":op!~o@host PART #FCST\r\n");  // listed only with its status mark: stays
    receive(":new!~n@host JOIN :#FCST\r\n");
    EXPECT_EQ(shown(), (Lines{"<ann> hello \x02all\x02", "* LEFT: joe (QUIT)", "* LEFT: op (PART)",
                              "* JOIN: new"}));
    EXPECT_EQ(view().ircLijst, (Lines{"@op", "ann", "joe", "new"}));

    receive(":op!~o@host TOPIC #FCST :Final: =RC= vs [B]\r\n");
    EXPECT_EQ(view().IRCTopic, "Final: =RC= vs [B]");
    receive(":op!~o@host MODE #FCST +o ann\r\n");
    EXPECT_EQ(shown(), (Lines{"* TOPIC: Final: =RC= vs [B] (set by op)", "* MODE: +o ann"}));
    EXPECT_TRUE(view().ircLijst.empty());
}

TEST_F(ConsoleTest, NoticesAndOtherNumericsAreNotShown) {
    receive(
        ":irc.test NOTICE FCST :*** server notice\r\n:irc.test 251 FCST :There are 2 users\r\n");
    EXPECT_TRUE(shown().empty());
}

TEST_F(ConsoleTest, TypedChatGoesToTheChannelThroughTheOneWayToSpeak) {
    type("gl hf");
    EXPECT_EQ(sent(), (Lines{"PRIVMSG #FCST :gl hf"}));
    EXPECT_EQ(shown(), (Lines{"<FCST> gl hf"}));
    EXPECT_EQ(view().ircZegwat, "");

    view().ReportToIrc = false;
    type("unheard");
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(shown().empty());
}

TEST_F(ConsoleTest, SlashLinesAreSentRawButANickChangeIsRefused) {
    type("/PRIVMSG joe :psst");
    EXPECT_EQ(sent(), (Lines{"PRIVMSG joe :psst"}));
    EXPECT_TRUE(shown().empty());  // not echoed

    const Lines warning = {std::string(51, '*'),
                           "** DO NOT CHANGE YOUR NICK WHILE IN IRC SESSION! **",
                           std::string(51, '*')};
    type("/nick Other");
    EXPECT_EQ(shown(), warning);
    type("/NiCkServ identify");  // only the four letters after the slash count
    EXPECT_EQ(shown(), warning);
    EXPECT_TRUE(sent().empty());

    QuitIrc(app);
    sent();
    shown();
    type("/JOIN #elsewhere");
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(shown(), (Lines{"*** Not connected: \"/JOIN #elsewhere\" was not sent."}));
}

}  // namespace
}  // namespace fc::test
