// Saying lines in the channel, the pace, nicks in use, TLS, bounds, redials and held lines.
#include <algorithm>

#include "irc/irc_line.h"
#include "irc/login.h"
#include "irc/send_queue.h"
#include "irc/text_encoding.h"
#include "irc_fixture.h"

namespace fc::test {
namespace {

const std::string kPastTheBound =
    "*** More than 200 lines wait for the channel: the oldest score reports and Interp lines are "
    "dropped.";

using namespace std::string_literals;

TEST_F(IrcTest, ALineIsSentCountedAndEchoedSwitchedOffOrNotConnectedOnlyListenersHearIt) {
    joinChannel();
    sayInChannel(app, "#FCST\r\nQUIT", "hi");  // no text can end its line
    expect({"PRIVMSG #FCSTQUIT :hi"}, {"<FCST> hi"}, {"hi"});
    app.settings.linesPrinted = 41;  // a raw line is not counted
    sendIrcLine(app, "NOTICE x :" + std::string(1000, 'b'));
    EXPECT_EQ(sent(), Lines{"NOTICE x :" + std::string(500, 'b')});  // 512 bytes with CR LF
    sayInChannel(app, "#FCST", "\002Red\002 scores!");
    expect({"PRIVMSG #FCST :\002Red\002 scores!"}, {"<FCST> \002Red\002 scores!"},
           {"\002Red\002 scores!"});
    EXPECT_EQ(app.settings.linesPrinted, 42);
    app.settings.reportToIrc = false;
    sayInChannel(app, "#FCST", "one");
    app.settings.reportToIrc = true;
    quitIrc(app);
    sayInChannel(app, "#FCST", "two");
    expect({kQuit}, {"*** DISCONNECTED! ***"}, {"one", "two"});
    EXPECT_EQ(app.settings.linesPrinted, 42);
}

// What is said to listeners keeps its codes; the channel gets what the options leave, within
// its line and the limit, in UTF-8 unless Latin-1 is set and the server allows it, cut between
// characters; the echo shows what left. Options: c colours and f font codes removed, L Latin-1,
// U the server's UTF8ONLY.
TEST_F(IrcTest, TheStrippingOptionsAndTheEncodingShapeWhatLeaves) {
    const std::string all = "\002\00304Red\003\037 3\026\017", evil = "[Evil\r\nQUIT :x\0]"s;
    std::string twoByte, threeByte;  // 494 and all 495 of the bytes left
    for (int i = 0; i < 247; ++i) twoByte += "\xC3\xA9";
    for (int i = 0; i < 165; ++i) threeByte += "\xE2\x80\xA2";
    const std::tuple<const char*, const char*, std::string, std::string> rows[] = {
        {"none by default", "", all, all},
        {"colours removed", "c", all, "\002Red\037 3\026\017"},
        {"and the font codes", "cf", all, "Red 3\017"},
        {"a colour with its number", "c", "\00304Red\003 team", "Red team"},
        {"two digits at most", "c", "\003123", "3"},
        {"nine and zero are digits", "c", "\00390a\00309b", "ab"},
        {"no background", "c", "\0034,1x", ",1x"},
        {"a code at the end", "c", "end\003 x\0034", "end x"},
        {"font codes alone", "f", "\002A\037B\026C\017", "ABC\017"},
        {"no line breaks", "", evil, "[EvilQUIT :x]"},
        {"cut to the limit", "", std::string(600, 'a'), std::string(495, 'a')},
        {"an e acute", "", "Jos\xE9", "Jos\xC3\xA9"},
        {"a Quake 3 high character", "", "\x95Neo", "\xE2\x80\xA2Neo"},
        {"the first and last of them", "", "\x80\x9F", "\xE2\x82\xAC\xC5\xB8"},
        {"no-break padding", "", "1\xA0\xA0", "1\xC2\xA0\xC2\xA0"},
        {"Latin-1 as it is", "L", "Jos\xE9", "Jos\xE9"},
        {"UTF8ONLY beats the setting", "LU", "Jos\xE9", "Jos\xC3\xA9"},
        {"the cut between characters", "", std::string(600, '\xE9'), twoByte},
        {"three bytes each", "", std::string(600, '\x95'), threeByte}};
    joinChannel();
    for (const auto& [name, options, text, wire] : rows) {
        SCOPED_TRACE(name);
        const auto has = [&](char c) {
            return std::string_view(options).find(c) != std::string::npos;
        };
        app.settings.ircRemoveColors = has('c');
        app.settings.ircRemoveFontCodes = has('f');
        app.settings.ircEncoding = has('L') ? "latin-1" : "utf-8";
        app.irc.server.utf8Only = false;
        if (has('U')) line(":s 005 FCST UTF8ONLY :are supported");
        sayInChannel(app, "#FCST", text);
        expect({"PRIVMSG #FCST :" + wire}, {"<FCST> " + fromWire(wire)}, {text});
    }
}

// SASL: what the server says; what the bot sends then ("|"-joined), shows, its login and state.
TEST_F(IrcTest, SaslLogsInBeforeTheJoinAndARefusalKeepsTheBotOutOfItsChannel) {
    const std::string caps =
        ":s CAP * LS * :multi-prefix sasl=EXTERNAL,PLAIN\r\n:s CAP * LS :account-tag "
        "away-notify extended-join account-notify\r\n:s CAP FCST ACK :multi-prefix sasl "
        "account-tag\r\n"
        "AUTHENTICATE +\r\n";
    const std::string hi = ":s 001 FCST :Hi\r\n:s 376 FCST :End\r\n",
                      plain =
                          "|AUTHENTICATE PLAIN|"
                          "AUTHENTICATE Ym90AGJvdABzZWNyZXQ=",
                      req = "CAP REQ :multi-prefix sasl account-tag extended-join account-notify" +
                            plain;
    const std::string without = ": the bot goes on without logging in.",
                      refused = "*** SASL login as bot failed (",
                      why =
                          " Failed): the bot does not join #FCST. Correct IRCSaslUser and "
                          "IRCSaslPassword and connect again, or empty them to go on without "
                          "logging in.";
    // clang-format off
    const std::array<std::string, 5> rows[] = {
        {"its capability not granted", ":s CAP * LS :sasl\r\n:s CAP FCST ACK :away-notify\r\n" + hi, "CAP REQ :sasl|CAP END|MODE FCST +i|JOIN #FCST ",
         "*** The server did not grant the SASL login" + without, "unavailable Connected!"},
        {"its capability refused", ":s CAP * LS :sasl\r\n:s CAP FCST NAK :sasl\r\n" + hi, "CAP REQ :sasl|CAP END|MODE FCST +i|JOIN #FCST ",
         "*** The server refused the SASL login's capabilities" + without, "unavailable Connected!"},
        {"logged in", caps + ":s 908 FCST PLAIN :available\r\n:s 900 FCST F!f@h bot :In\r\n:s 903 FCST :OK\r\n" + hi,
         req + "|CAP END|MODE FCST +i|JOIN #FCST ", "*** Logged in as bot.", "ok Connected!"},
        {"refused", caps + ":s 904 FCST :Failed\r\n" + hi, req + "|CAP END|MODE FCST +i", refused + "904" + why,
         "failed Connected, SASL login failed"},
        {"refused, too long", caps + ":s 905 FCST :Failed\r\n" + hi, req + "|CAP END|MODE FCST +i",
         refused + "905" + why, "failed Connected, SASL login failed"},
        {"no SASL PLAIN offered", ":s CAP * LS :multi-prefix sasl=EXTERNAL\r\n:s CAP * ACK :multi-prefix\r\n" + hi,
         "CAP REQ :multi-prefix|CAP END|MODE FCST +i|JOIN #FCST ",
         "*** The server offers no SASL PLAIN login" + without, "unavailable Connected!"},
        {"no CAP at all", ":s 421 FCST CAP :Unknown command\r\n" + hi, "MODE FCST +i|JOIN #FCST ",
         "*** The server does not negotiate capabilities" + without, "unavailable Connected!"},
        {"services linked late", ":s CAP * LS :cap-notify\r\n" + hi + ":s CAP FCST NEW :sasl\r\n"
         ":s CAP FCST ACK :sasl\r\nAUTHENTICATE +\r\n:s 903 FCST :OK\r\n",
         "CAP END|MODE FCST +i|JOIN #FCST |CAP REQ :sasl" + plain,
         "*** The server offers no SASL PLAIN login" + without, "ok Connected!"}};
    // clang-format on
    app.settings.ircSaslUser = "bot", app.settings.ircSaslPassword = "secret";
    app.settings.showRawText = true;
    for (const auto& [name, server, sentLines, shownLine, state] : rows) {
        SCOPED_TRACE(name);
        connectIrc(app);
        socket().accept();
        EXPECT_EQ(sent().at(0), "CAP LS 302");
        shown();
        receive(server);
        platform.advance(200);
        std::string all;
        for (const std::string& l : sent()) all += (all.empty() ? "" : "|") + l;
        std::erase_if(output, [](const std::string& l) { return !l.starts_with("***"); });
        EXPECT_EQ(all + "\n" + shown().at(0) + "\n" + loginStateText(app) + " " + app.irc.ircStatus,
                  sentLines + "\n" + shownLine + "\n" + state);
    }
    EXPECT_EQ(app.irc.ircOutput.find("secret"), std::string::npos);
    app.settings.ircSaslPassword = std::string(292, 'x');  // 300 bytes: 400 in base64, then "+"
    connectIrc(app), socket().accept(), sent(), receive(caps);
    const Lines last = sent();
    EXPECT_EQ(std::tuple(last.rbegin()[1].size(), last.back()), std::tuple(413u, "AUTHENTICATE +"));
}

// RFC 4648's vectors, the beginnings of "foobar": each count of bytes after the last whole three.
TEST(Base64, EncodesTheStandardVectors) {
    const char* const texts[] = {"", "Zg==", "Zm8=", "Zm9v", "Zm9vYg==", "Zm9vYmE=", "Zm9vYmFy"};
    for (int n = 0; n <= 6; ++n) EXPECT_EQ(base64(std::string("foobar", n)), texts[n]) << n;
}

// The login line leaves once registered; the join waits for the service's answer, 5 s at most.
TEST_F(IrcTest, TheLoginLineLeavesAfterRegisteringAndTheJoinWaitsForTheService) {
    app.settings.ircLoginLine = "PRIVMSG Q@CServe.quakenet.org :AUTH bot secret";
    for (const bool answered : {true, false}) {
        connect();
        line(":s 376 FCST :End");
        expect({"MODE FCST +i", app.settings.ircLoginLine});
        for (int i = 0; answered && i < 2; ++i)  // the second joins nothing more
            line(":Q!TheQBot@CServe.quakenet.org NOTICE FCST :You are now logged in.");
        platform.advance(4999);
        EXPECT_EQ(sent(), answered ? Lines{"JOIN #FCST "} : Lines{});
        platform.advance(1);
        EXPECT_EQ(sent(), answered ? Lines{} : Lines{"JOIN #FCST "});
    }
    EXPECT_EQ(output.back(), "*** No answer to the login line within 5 s: joining anyway.");
}

TEST_F(IrcTest, ThePaceIsTakenAsTypedOrItsDefaultsAndTheOutputWindowIsBounded) {
    const std::tuple<const char*, const char*, int, int> rows[] = {
        // clang-format off
        {"4", "0", 4, 0}, {"", "", 4, 2000}, {"fast", "fast", 4, 2000}, {"0", "0", 1, 0},
        {" 7 lines", " 7 lines", 7, 7}};  // clang-format on
    for (const auto& [burstTyped, gapTyped, burst, gap] : rows) {
        app.settings.ircBurst = burstTyped;
        app.settings.ircLineGapMs = gapTyped;
        EXPECT_EQ(std::pair(burstLines(app), lineGapMs(app)), std::pair(burst, gap)) << burstTyped;
    }
    app.appendOutput("a" + std::string(9997, 'x'));  // 10000 with its CR LF: not trimmed yet
    EXPECT_EQ(app.irc.ircOutput.size(), 10000u);
    app.appendOutput("");
    EXPECT_EQ(app.irc.ircOutput.size(), 9000u);
    EXPECT_EQ(app.irc.ircOutput.substr(0, 1) + app.irc.ircOutput.substr(8995), "xx\r\n\r\n");
}

TEST_F(IrcTest, APongGoesFirstThenReportLinesThenNoticesAndAQuitAtOnce) {
    app.settings.ircLineGapMs = "2000";
    joinChannel();
    platform.advance(10000);
    app.pongTimer->setEnabled(false);  // the second PONG is not this test's matter
    app.monitor.playerRows.assign(64, PlayerRow{"p", "1", "5", "Red"});
    ask("joe", "!players");  // 22 notices: 4 leave, 18 wait
    const std::string p = "\00304p               1 (5)";
    expect(Lines(4, "NOTICE joe :" + p + ", " + p + ", " + p), {"& Notice (!players) sent to joe"});
    sayInChannel(app, "#FCST", "capture!");
    line("PING :tok");
    expect({}, {}, {"capture!"});
    platform.advance(1999);
    expect({});
    platform.advance(1);
    expect({"PONG :tok"});
    platform.advance(2000);  // the echo shows the report line when it left
    expect({"PRIVMSG #FCST :capture!"}, {"<FCST> capture!"});
    EXPECT_EQ(app.irc.queue.size(), 18u);
    quitIrc(app);  // the QUIT leaves at once, the waiting notices are dropped
    expect({kQuit}, {"*** DISCONNECTED! ***"});
    EXPECT_EQ(app.irc.queue.size(), 0u);
}

TEST_F(IrcTest, NicksInUseAreFollowedByAnUnderscoreThenDigitsThenGivenUpAsIsAFailedTls) {
    connect();
    line(":irc.test 433 * FCST :Nickname already in use");
    line(":irc.test 001 FCST_ :Welcome");
    line(":irc.test 433 * x :in use");  // once registered, a late one changes nothing
    expect({"NICK FCST_"}, {"*** Nick in use, trying FCST_"});
    EXPECT_EQ(app.irc.botNick, "FCST_");
    connect();
    for (int i = 0; i < 10; ++i) {
        const std::string nick = i == 0 ? "FCST_" : "FCST" + std::to_string(i);
        line(":irc.test 433 * FCST :Nickname already in use");
        expect({"NICK " + nick}, {"*** Nick in use, trying " + nick});
    }
    line(":irc.test 433 * FCST9 :Nickname already in use");
    expect({}, {"*** The nick FCST and the ten tried after it are in use: not connected."});
    EXPECT_TRUE(socket().state() == SocketState::Closed && app.window.connectIrcButtonEnabled);
    // TLS modes reach the socket; a failed check is shown and not retried.
    useTls(app, true), app.settings.ircTlsInsecure = true;  // the usual TLS port follows the box
    connect();
    EXPECT_TRUE(socket().tls.on && socket().tls.insecure && socket().port == 6697);
    app.settings.ircTlsInsecure = false;
    connectIrc(app);  // the warning comes with insecure connects only
    EXPECT_TRUE(socket().tls.on && !socket().tls.insecure);
    socket().failTls("The certificate is self-signed");
    expect({}, {"*** TLS failed: The certificate is self-signed -- not connected."});
    platform.advance(700000);
    EXPECT_EQ(app.irc.ircStatus, "TLS failed: The certificate is self-signed");
    EXPECT_EQ(socket().connects, 4);  // not dialled again
    useTls(app, false);               // the usual plain port follows the box back
    EXPECT_TRUE(app.window.connectIrcButtonEnabled && app.settings.ircPort.value() == 6667);
}

TEST_F(IrcTest, TheQueueKeepsItsBoundDroppingNoticesNeverReportsAndOnePong) {
    app.settings.ircLineGapMs = "1";  // the shortest pace still paces
    joinChannel();
    app.monitor.playerRows.assign(64, PlayerRow{"p", "1", "5", "Blue", RowColour::Blue});
    for (int i = 0; i < 30; ++i) {
        if (i == 20) sayInChannel(app, "#FCST", "report");
        line(":n" + std::to_string(i) + "!u@h PRIVMSG FCST :!players");
    }
    EXPECT_EQ(app.irc.queue.size(), 200u);
    EXPECT_EQ(std::erase_if(output, [](auto& l) { return l.starts_with("*** Send queue full"); }),
              1u);
    sent();
    platform.advance(1);
    EXPECT_EQ(sent(), Lines{"PRIVMSG #FCST :report"});  // the report line left first
    std::string pings;
    for (int i = 0; i < 300; ++i) pings += "PING :t" + std::to_string(i) + "\r\n";
    for (int i = 0; i < 300; ++i) sayInChannel(app, "#FCST", "report " + std::to_string(i));
    receive(pings);                            // a full queue still takes the answer to a PING
    line(":late!u@h PRIVMSG FCST :!players");  // no room for its answers
    EXPECT_EQ(app.irc.queue.pong.size(), 1u);  // the answer to the latest PING only
    EXPECT_EQ(app.irc.queue.size(), 200u);
    EXPECT_EQ(app.irc.queue.main.back().body, "PRIVMSG #FCST :report 299");
    EXPECT_EQ(dropped, 300 - static_cast<int>(app.irc.queue.main.size()));  // each one told
    platform.advance(201);  // emptied, the next overflow is told again
    output.clear();
    for (int i = 0; i < 250; ++i) sayInChannel(app, "#FCST", "again");
    EXPECT_EQ(std::erase_if(output, [](auto& l) { return l.starts_with("*** Send queue full"); }),
              1u);
    app.settings.ircLineGapMs = "0", sayInChannel(app, "#FCST", "now");  // no pace: all leave
    EXPECT_EQ(app.irc.queue.size(), 0u);
}

TEST_F(IrcTest, LostConnectionsAreRedialledWithDoublingWaits) {
    joinChannel();
    // Each wait is the base plus at most a tenth; the status counts down. Only the first dial
    // had made its connection.
    for (int base : {10, 20, 40, 80, 160, 320, 600, 600}) {
        socket().peerClose();  // the wait told in whole seconds, rounded up
        const int told = (app.reconnectTimer->interval() + 999) / 1000;
        EXPECT_EQ(output.back(), (base == 10 ? "*** Connection lost" : "*** Could not connect") +
                                     ". Reconnecting in "s + std::to_string(told) + " s.");
        platform.advance(200);
        EXPECT_TRUE(app.irc.ircStatus.starts_with("Reconnecting in ")) << app.irc.ircStatus;
        const int dials = socket().connects;
        platform.advance(base * 1000 - 200 - 1);
        EXPECT_EQ(socket().connects, dials) << base;
        platform.advance(base * 100 + 1);
        EXPECT_EQ(socket().connects, dials + 1) << base;
        EXPECT_EQ(output.back(), "*** Reconnecting to " + socket().host + " ...");
    }
    socket().accept();
    line(":irc.test 001 FCST :Welcome");
    socket().fail();  // a welcome starts the waits over
    platform.advance(11000);
    EXPECT_EQ(socket().state(), SocketState::Connecting);
    quitIrc(app);  // while connecting: the socket is closed and no redial follows
    platform.advance(700000);
    EXPECT_EQ(socket().state(), SocketState::Closed);
}

// Sender, command and parameters, joined by "|"; the "!" in a server's text is no nick's end.
TEST(IrcLine, SplitsPrefixCommandAndParams) {
    const std::pair<const char*, const char*> splits[] = {
        {":nick!~u@host PRIVMSG #c :hi! there\r\n", "nick|PRIVMSG|#c :hi! there\r\n"},
        {":irc.test NOTICE FCST :hello!\r\n", "irc.test|NOTICE|FCST :hello!\r\n"},
        {":nick!u@h QUIT\r\n", "nick|QUIT|"},
        {":x", "x||"},
        {" PING :x!y", "|PING|:x!y"}};  // no prefix at all
    for (const auto& [text, parts] : splits) {
        const IrcLine l = splitIrcLine(text);
        EXPECT_EQ(l.sender + "|" + l.command + "|" + l.params, parts);
    }
    for (const char* text : {":a!b@c 353 x = #y :z", "ERROR :Closing link"})
        EXPECT_TRUE(isReadableIrcLine(text)) << text;
    for (const char* text : {": PRIVMSG x", ":a 12 x", ":a 1x2 x", "PRIV-MSG x", "@a=b"})
        EXPECT_FALSE(isReadableIrcLine(text)) << text;
    // Tags unescaped, blanks between parameters skipped, the trailing one kept whole.
    // clang-format off
    const IrcLine t = splitIrcLine("@a=x\\sy\\:z;b;c=\\\\ :n!u@h PRIVMSG  #c  :hi  there\r\n");
    EXPECT_EQ(*t.tag("a") + "|" + *t.tag("b") + "|" + *t.tag("c") + "|" + t.arg(0) + "|" + t.arg(1) + "|" +
              t.arg(2) + "|" + std::to_string(t.tag("d").has_value()), "x y;z||\\|#c|hi  there||0");
    EXPECT_TRUE(isReadableIrcLine("@a=b :n!u@h JOIN #c"));
    EXPECT_EQ(foldCase("[A]\\~", "rfc1459") + foldCase("[A]\\~", "strict-rfc1459") + foldCase("[A]", "ascii"),
              "{a}|^{a}|~[a]");
    // clang-format on
    const std::string longest(200, 'a');  // what an unreadable line shows of itself
    EXPECT_EQ(showableLine(longest), longest);
    EXPECT_EQ(showableLine(longest + "b"), longest + "...");
}

// Every kind of absence holds the lines said, queued ones wait again ahead of later ones; once
// back they leave in order, those that waited over 30 s with the time of day they were said.
TEST_F(IrcTest, LinesSaidAwayFromTheChannelLeaveOnceBackInOrder) {
    app.settings.ircLineGapMs = "2000";
    joinChannel();
    Lines heard;
    const auto listen = [&](std::int64_t ms) {
        platform.advance(ms);
        for (const std::string& l : sent())
            if (l.starts_with("PRIVMSG #FCST :")) heard.push_back(l.substr(15));
    };
    int last = 0;  // the lines are numbers, said in order
    const auto say = [&](int to) {
        while (last < to) sayInChannel(app, "#FCST", std::to_string(++last));
    };
    listen(10000);
    say(6);  // four leave at once, two wait for the pace
    receive(":op!~o@h KICK #FCST FCST :out\r\n:irc.test 474 FCST #FCST :Cannot join (+b)\r\n");
    say(7);
    listen(1);
    say(8);
    listen(30000);  // banned, retrying every 10 s: 7 waits 30.001 s, 8 waits 30 s
    line(":FCST!~fcst@h JOIN :#FCST");
    EXPECT_EQ(std::ranges::count(output, "*** Back in #FCST: sending 4 lines said while away."), 1);
    listen(10000);
    line(":FCST!~fcst@h PART #FCST");  // the operator's own /PART
    say(9);
    EXPECT_EQ(app.irc.held.size(), 1u);
    line(":FCST!~fcst@h JOIN :#FCST");
    say(14);
    socket().peerClose();  // the lines still queued wait for the next connection
    say(15);
    listen(11000);
    EXPECT_EQ(app.irc.held.size(), 3u);
    socket().accept();
    receive(":irc.test 001 FCST :Hi\r\n:irc.test 376 FCST :End\r\n:FCST!~fcst@h JOIN #FCST\r\n");
    listen(10000);
    EXPECT_EQ(heard, (Lines{"1", "2", "3", "4", "[12:00:10] 5", "[12:00:10] 6", "[12:00:10] 7", "8",
                            "9", "10", "11", "12", "13", "14", "15"}));
    socket().peerClose();
    say(17);
    app.settings.reportToIrc = false;  // switched off: nothing is said, kept or said late
    say(18);
    listen(21000);
    socket().accept();
    receive(":irc.test 376 FCST :End\r\n:FCST!~fcst@h JOIN #FCST\r\n");
    listen(10000);
    EXPECT_EQ(output.back(), "*** Dropped 2 report lines not yet said.");
    EXPECT_EQ(heard.size(), 15u);
}

// Whatever ends the wish for a connection drops what waits for the channel, and says how much.
TEST_F(IrcTest, WhatEndsTheConnectionDropsTheLinesWaitingForIt) {
    const std::pair<const char*, std::function<void()>> ends[] = {
        {"Quit IRC", [&] { quitIrc(app); }},
        {"!killyourself", [&] { line(":boss!~b@h PRIVMSG FCST :!killyourself pw"); }},
        {"closing", [&] { sendQuitLine(app); }},
        {"lost, not dialled again", [&] { socket().peerClose(); }},
        {"TLS failed", [&] { socket().failTls("self-signed certificate"); }},
        {"every nick taken", [&] {
             for (int i = 0; i < 11; ++i) line(":s 433 * FCST :In use");
         }}};
    app.settings.killAllowedFrom = "boss", app.settings.killPassword = "pw";
    app.settings.ircReconnect = false;
    for (const auto& [name, end] : ends) {
        SCOPED_TRACE(name);
        connect();  // not yet in the channel
        for (int i = 0; i < 201; ++i) sayInChannel(app, "#FCST", "begin", ReportKind::Essential);
        end();  // each time past the bound is told
        const Lines seen = shown();
        EXPECT_EQ(std::ranges::count(seen, kPastTheBound) +
                      std::ranges::count(seen, "*** Dropped 200 report lines not yet said."),
                  2);
        sayInChannel(app, "#FCST", "after");
        EXPECT_TRUE(app.irc.held.empty());
    }
}

// At most 200 lines wait, of periodic reports the newest only; past it the oldest periodic and
// Interp lines go first, then others, a begin, capture or final score last. Lines are numbered.
TEST_F(IrcTest, PastTheBoundTheLeastWorthLinesAreDroppedFirst) {
    using enum ReportKind;
    // Bursts of lines of one kind said, and the runs of the lines that leave.
    // clang-format off
    const struct { const char* name; std::vector<std::pair<ReportKind, int>> said; std::vector<std::pair<int, int>> leaving; } rows[] = {
        {"newest periodic", {{Periodic, 3}, {Event, 1}, {Periodic, 2}}, {{3, 3}, {5, 5}}},
        {"Interp", {{Periodic, 1}, {Interp, 30}, {Essential, 150}, {Interp, 30}}, {{11, 210}}},
        {"then the others", {{Essential, 10}, {Event, 20}, {Essential, 170}, {Interp, 1}, {Essential, 10}}, {{0, 9}, {20, 199}, {201, 210}}},
        {"captures alone", {{Essential, 201}}, {{1, 200}}}};
    // clang-format on
    for (const auto& [name, bursts, leaving] : rows) {
        SCOPED_TRACE(name);
        connect();  // registering: not yet in the channel
        int n = 0;
        for (const auto& [kind, count] : bursts)
            for (int i = 0; i < count; ++i) sayInChannel(app, "#FCST", std::to_string(n++), kind);
        Lines expected;
        for (const auto& [first, last] : leaving)
            for (int i = first; i <= last; ++i)
                expected.push_back("PRIVMSG #FCST :" + std::to_string(i));
        const std::string more = " (" + std::to_string(n - expected.size()) + " dropped).";
        EXPECT_EQ(std::ranges::count(output, kPastTheBound), n > 200 ? 1 : 0);
        line(":FCST!~fcst@h JOIN :#FCST");
        EXPECT_EQ(sent(), expected);
        EXPECT_EQ(output.at(output.size() - expected.size() - 1),
                  "*** Back in #FCST: sending " + std::to_string(expected.size()) +
                      " lines said while away" + (n > 200 ? more : "."));
        output.clear();
    }
}

}  // namespace
}  // namespace fc::test
