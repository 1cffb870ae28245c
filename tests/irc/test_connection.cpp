// Connecting, registering, joining; the receive loop's cutting and refusal of lines; the console.
#include "irc_fixture.h"

namespace fc::test {
namespace {

using namespace std::string_literals;

// The fields lock at connect; the status follows the connection every fifth of a second.
TEST_F(IrcTest, ConnectLocksTheFieldsAndRegistersOnceAcceptedTheStatusFollowing) {
    app.settings.ircServer = " irc.example.net  Example network";
    app.settings.ircPort = "6668";
    app.settings.ircName = "Bot7";
    app.settings.channelEntry = "#match";
    app.settings.ircReconnect = false;
    EXPECT_EQ(locks() + app.irc.ircStatus, "11110Not connected");
    connectIrc(app);
    EXPECT_EQ(socket().host + ":" + std::to_string(socket().port), "irc.example.net:6668");
    EXPECT_EQ(app.irc.botNick + " " + app.irc.botChannel + " " + locks(), "Bot7 #match 00001");
    platform.advance(200);
    EXPECT_EQ(app.irc.ircStatus, "Connecting...");
    app.settings.ircName = "Renamed";  // the copy taken at connect time stays in use
    socket().accept();
    expect({"NICK Bot7", R"(USER fcst "testhost" "127.0.0.1" :Fragcaster 1.33)"},
           {"*** Connected to server, waiting for reply..."});
    platform.advance(200);
    EXPECT_EQ(app.irc.ircStatus, "Connected!");
    socket().peerClose();  // gone without reconnect: the fields stay locked
    platform.advance(200);
    EXPECT_EQ(locks() + app.irc.ircStatus, "00001Not connected");
    connectIrc(app);
    socket().fail();
    platform.advance(200);
    EXPECT_EQ(app.irc.ircStatus, "Server or hostname not found");
}

TEST_F(IrcTest, APortOrNickThatCannotBeUsedIsReportedAndNothingIsLocked) {
    const std::string nickRule =
        "\" is no IRC nick: a letter or one of [ ] \\ ` _ ^ { | } first, "
        "then those, digits or -.";
    // clang-format off
    const struct { const char *port, *nick; std::string said; } rows[] = {
        {"six", "FCST", "the port \"six\" is not a number from 1 to 65535."}, {"0", "FCST", "the port \"0\" is not a number from 1 to 65535."},
        {"70000", "FCST", "the port \"70000\" is not a number from 1 to 65535."}, {"", "FCST", "the port \"\" is not a number from 1 to 65535."},
        {"6667", "", "the bot has no nick; type one in the name field."}, {"6667", "9lives", "the nick \"9lives" + nickRule},
        {"6667", "two words", "the nick \"two words" + nickRule}};
    // clang-format on
    for (const auto& r : rows) {
        app.settings.ircPort = r.port;
        app.settings.ircName = r.nick;
        connectIrc(app);
        expect({}, {"*** Cannot connect: " + r.said});
        EXPECT_EQ(locks() + std::to_string(socket().state() == SocketState::Closed), "111101");
    }
    EXPECT_EQ(nickFault("[Fc]_bot-09^{x}|`\\"), "");
}

// What the server sends, in these reads; what the bot sends ("> "), shows, and the topic|nicks
// after. It starts registered, out of the channel, "@op joe" listed.
TEST_F(IrcTest, ServerLinesAreAnsweredAndShown) {
    const std::string kLong = ":s NOTICE FCST :" + std::string(16384, 'x');
    const std::tuple<const char*, Lines, Lines> rows[] = {
        {"MOTD end", {":s 376 FCST :End\n"}, {"> MODE FCST +i", "> JOIN #FCST ", "|@op joe"}},
        {"no MOTD", {":s 422 FCST :No MOTD\n"}, {"> MODE FCST +i", "> JOIN #FCST ", "|@op joe"}},
        {"joined", {":FCST!c@h JOIN :#FCST\n"}, {"*** You have joined: #FCST ***", "(no topic)|"}},
        // clang-format off
        {"joined in another case; in ascii \"[\" is no \"{\"", {":s 005 FCST CASEMAPPING=ascii CHANTYPES=# :ok\n:fcst!c@h JOIN #fcst\n"
          ":a{!a@h JOIN #FCST\n:a[!a@h PART #FCST\n"}, {"*** You have joined: #FCST ***", "* JOIN: a{", "* LEFT: a[ (PART)", "(no topic)|a{"}},
        {"FCSTfan joins", {":FCSTfan!x@h JOIN :#FCST\n"}, {"* JOIN: FCSTfan", "|@op joe FCSTfan"}},
        {"others kicked, one from a channel named after the bot",
         {":op!o@h KICK #FCST FCSTfan :x\n:op!o@h KICK #FCSTfans joe :x\n:op!o@h KICK #FCST JOE :x\n"}, {"|@op"}},
        {"a PING with or without a prefix", {"PING abc123\n:irc.test PING :irc.test\n"},
         {"> PONG :abc123", "> PONG :irc.test", "|@op joe"}},
        {"UTF-8 read, anything else as Latin-1", {":a!a@h PRIVMSG #FCST :Jos\xC3\xA9 \xE2\x80\xA2 \xC4\x80 \xE0\xA0\x80 \xF4\x8F\xBF\xBF \xF0\x90\x80\x80\xC2\x80 \xEE\x80\x80\n"
          ":a!a@h PRIVMSG #FCST :Jos\xE9 \xC0\xA9\n:a!a@h PRIVMSG #FCST :\xED\xA0\x80\n:a!a@h PRIVMSG #FCST :\x80\xC3\xA9\n"},
         {"<a> Jos\xE9 \x95 ? ? ? ?\x80 ?", "<a> Jos\xE9 \xC0\xA9", "<a> \xED\xA0\x80", "<a> \x80\xC3\xA9", "|@op joe"}},
        {"no answer to a NOTICE, no nick from another channel", {":joe!j@h NOTICE FCST :!info\n:joe!j@h NOTICE FCST :\001VERSION\001\n:x!x@h JOIN #other\n"},
         {"|@op joe"}},
        {"client queries, one empty", {":a!a@h PRIVMSG FCST :\001\001\n:a!a@h PRIVMSG #FCST :\001ACTION waves\001\n"},
         {"[CTCP  from a]", "* a waves", "|@op joe"}},
        {"a PREFIX of more modes than marks", {":s 005 FCST PREFIX=(qov)@ X=(h)% :ok\n:op!o@h MODE #FCST +ovh joe joe joe\n"},
         {"* MODE: +ovh joe joe joe", "|@op joe"}},
        {"tags, modes by PREFIX, a nick change", {"@time=2026-12-08T07:00:00Z;msgid=a\\sb :s 005 FCST "
          "PREFIX=(Yov)!@+ CHANMODES=b,,lk,nt :ok\n:op!o@h MODE #FCST +vo-o-l+bY+k joe joe op x!*@* joe key\n"
          "@account=j :joe!j@h NICK jim\n:s 331 FCST #FCST :No topic is set\n:op!o@h MODE #FCST +bl-k+v x!*@* 5 op\n"},
         {"* MODE: +vo-o-l+bY+k joe joe op x!*@* joe key", "* MODE: +bl-k+v x!*@* 5 op", "(no topic)|+op !@+jim"}},
        // clang-format on
        {"topic and names",
         {":s 332 FCST #FCST :War\n:s 333 FCST #FCST op 1\n:s 353 FCST = #FCST :@op +v  FCST \n"
          ":s 353 FCST = #FCST :b\n:s 366 FCST #FCST :End\n"},
         {"* TOPIC: War", "War|@op +v FCST b"}},
        {"an operator parts, one quits",
         {":op!o@h PART #FCST\n:joe!j@h QUIT :Ping timeout\n"},
         {"* LEFT: op (PART)", "* LEFT: joe (QUIT)", "|"}},
        {"chat, a topic and a mode",
         {":a!a@h PRIVMSG #FCST :hi \002all\002\n:op!o@h TOPIC #FCST :War\n:op!o@h MODE #FCST +ov "
          "JOE ghost\n"},
         {"<a> hi \002all\002", "* TOPIC: War (set by op)", "* MODE: +ov JOE ghost",
          "War|@op @joe"}},
        {"the bot kicked", {":op!o@h KICK #FCST fcst :bye\n"}, {"> JOIN #FCST ", "|"}},
        {"numerics from a user",
         {":u!u@h 332 FCST #FCST :X\n:u!u@h 353 FCST = #FCST :a\n:u!u@h 001 X :Hi\n"},
         {"|@op joe"}},
        {"lines cut across reads, LF alone ends one",
         {"PING :12", "34\r", "\nPING :5\n", ":s 332 FCST #FCST :War at\r", " nine\r\n"},
         {"> PONG :1234", "> PONG :5", "* TOPIC: War at", "War at|@op joe"}},
        {"unreadable lines",
         {":nothing-after-the-prefix\r\n\001\037garbage!\r\n:a!b@c PRIV\0MSG x :y\r\n\r\nPING :a\r\n"s},
         {"> PONG :a", "*** Unreadable line from server: :nothing-after-the-prefix",
          R"(*** Unreadable line from server: \x01\x1Fgarbage!)",
          R"(*** Unreadable line from server: :a!b@c PRIV\x00MSG x :y)", "|@op joe"}},
        {"a line that never ends",
         {kLong, std::string(100000, 'y') + "PING :tail\r\nPING :next\r\n"},
         {"> PONG :next",
          "*** Line from server longer than 16384 bytes dropped: " + kLong.substr(0, 200) + "...",
          "|@op joe"}}};
    app.settings.greetOnJoin = false;
    for (const auto& [name, in, out] : rows) {
        SCOPED_TRACE(name);
        connect();
        app.irc.channelNicks = {"@op", "joe"};
        app.irc.ircTopic = "Not connected";
        for (const std::string& bytes : in) receive(bytes);
        Lines got;
        for (const std::string& l : sent()) got.push_back("> " + l);
        std::ranges::move(shown(), std::back_inserter(got));
        std::string state = app.irc.ircTopic == "Not connected" ? "|" : app.irc.ircTopic + "|";
        for (const std::string& nick : app.irc.channelNicks)
            state += (state.ends_with('|') ? "" : " ") + nick;
        got.push_back(state);
        EXPECT_EQ(std::tuple(got, app.irc.botNick), std::tuple(out, "FCST"));
    }
}

// The raw display shows each line as it came.
TEST_F(IrcTest, APingIsAnsweredAtOnceAndOnceMoreByTheSecondPong) {
    app.settings.showRawText = true;
    connect();
    platform.advance(3000);  // no PING seen yet: the second PONG waits
    receive("PING :7A3F21\r\n:irc.te");
    expect({"PONG :7A3F21"}, {"PING :7A3F21\r\n"});
    for (const Lines& pong : {Lines{"PONG :7A3F21"}, Lines{}}) {
        platform.advance(1000);
        expect(pong);
    }
}

// The bot's ban starts a retry every ten seconds, with the key as it is at each try.
TEST_F(IrcTest, ABanStartsRetriesEveryTenSecondsUntilTheBotIsIn) {
    connect();
    line(":irc.test 474 Someone #FCST :Cannot join channel (+b)");
    EXPECT_FALSE(app.antiBanTimer->enabled());
    line(":irc.test 474 fcst #FCST :Cannot join channel (+b)");
    app.settings.channelKey = "s3cret";
    platform.advance(9999);
    expect({});
    for (int ms : {1, 10000}) {
        platform.advance(ms);
        expect({"JOIN #FCST s3cret"});
    }
    line(":FCST!~fcst@host JOIN :#FCST");
    platform.advance(30000);
    expect({}, {"*** You have joined: #FCST ***"});
}

TEST_F(IrcTest, TypedChatIsSaidSlashLinesGoRawButANickChangeIsRefused) {
    joinChannel();
    type("gl hf");
    expect({"PRIVMSG #FCST :gl hf"}, {"<FCST> gl hf"}, {"gl hf"});
    EXPECT_EQ(app.irc.ircInputLine, "");
    type("/PRIVMSG joe :psst");  // not echoed
    expect({"PRIVMSG joe :psst"});
    for (const char* nick : {"/nick Other", "/NiCkServ identify"}) {  // the four letters count
        type(nick);
        expect({}, {std::string(51, '*'), "** DO NOT CHANGE YOUR NICK WHILE IN IRC SESSION! **",
                    std::string(51, '*')});
    }
    for (const Lines& goodbye : {Lines{kQuit}, Lines{}}) {  // not connected: nothing to say
        quitIrc(app);
        expect(goodbye, {"*** DISCONNECTED! ***"});
        EXPECT_EQ(app.irc.ircTopic + locks(), "Not connected11110");
    }
    type("/JOIN #elsewhere");
    expect({}, {"*** Not connected: \"/JOIN #elsewhere\" was not sent."});
}

}  // namespace
}  // namespace fc::test
