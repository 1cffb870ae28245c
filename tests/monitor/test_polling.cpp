// Switching the monitor on and off, the poll tick and the exact queries it sends.
#include <gtest/gtest.h>

#include "support/monitor_fixture.h"
#include "support/replies.h"

namespace fc::test {
namespace {

const std::string kQ2 = std::string("\xFF\xFF\xFF\xFF") + "status";
const std::string kQ3 = std::string("\xFF\xFF\xFF\xFF") + "getstatus";
const std::string kUT = "\\status\\";

std::vector<std::string> Bytes(const std::vector<SentDatagram>& sent) {
    std::vector<std::string> out;
    for (const auto& d : sent) out.push_back(d.bytes);
    return out;
}

using PollingTest = MonitorTest;

TEST_F(PollingTest, SwitchingOnPreparesALiveRun) {
    view().lastValues = {"a", "b", "c", "d", "e"};
    view().capsRedQ3 = 4;
    view().TimeLimitDM = "30";
    view().matchState = MatchState::Ready;
    switchOn("10.0.0.5");

    EXPECT_EQ(view().Q2Serverlist, "10.0.0.5:27910");
    EXPECT_FALSE(view().Q2ServerlistEnabled);
    EXPECT_EQ(view().quakeTimerButton, "Connection: ON");
    ASSERT_EQ(view().spelerLijst.size(), 1u);
    EXPECT_EQ(view().spelerLijst[0].name, "Looking for server.....");
    EXPECT_EQ(view().qsGame, "[no server]");
    EXPECT_EQ(view().qsMap, "");
    EXPECT_EQ(view().qsTimeLeft, "[no match]");
    EXPECT_EQ(view().Label62, "*** LIVE ***");
    EXPECT_TRUE(view().Frame12Visible);
    EXPECT_TRUE(view().Q2PlusEnabled);
    EXPECT_FALSE(view().teamscoresVisible);
    EXPECT_EQ(view().TimeLimitDM, "20");
    EXPECT_EQ(view().matchState, MatchState::None);
    EXPECT_EQ(view().gameFamily, GameFamily::Unknown);
    EXPECT_EQ(view().capsRedQ3, 0);
    EXPECT_EQ(view().lastValues.reply, "");
    EXPECT_EQ(view().lastValues.timeLeft, "");
    EXPECT_TRUE(app.quakeTimer->enabled());
    EXPECT_EQ(app.quakeTimer->interval(), 1000);
    EXPECT_FALSE(app.battleTimer->enabled());
}

TEST_F(PollingTest, SwitchingOffEndsTheRunAndUnlocksTheEntry) {
    switchOn("10.0.0.5:27960");
    firstTick();
    WisselConnectie(app);

    EXPECT_EQ(view().quakeTimerButton, "Connection: OFF");
    EXPECT_TRUE(view().Q2ServerlistEnabled);
    EXPECT_EQ(view().gameType, "nix");
    EXPECT_FALSE(view().Frame12Visible);
    EXPECT_FALSE(view().Q2PlusEnabled);
    EXPECT_FALSE(app.quakeTimer->enabled());

    const auto sentBefore = socket().sent.size();
    platform.advance(10000);
    EXPECT_EQ(socket().sent.size(), sentBefore);
}

TEST_F(PollingTest, EntryKeepsItsCommentAndGainsTheDefaultPort) {
    switchOn("10.0.0.5 Clan server");
    EXPECT_EQ(view().Q2Serverlist, "10.0.0.5 Clan server:27910");
    firstTick();
    // The address part has no ":", so every query goes to its family's default port.
    ASSERT_EQ(socket().sent.size(), 3u);
    EXPECT_EQ(socket().sent[0].port, 7778);
    EXPECT_EQ(socket().sent[1].port, 27910);
    EXPECT_EQ(socket().sent[2].port, 27910);
    EXPECT_EQ(socket().sent[0].host, "10.0.0.5");
}

TEST_F(PollingTest, UnknownFamilyTickSendsAllThreeQueriesEveryTwoSeconds) {
    switchOn("10.0.0.5");
    platform.advance(999);
    EXPECT_TRUE(socket().sent.empty());
    platform.advance(1);
    EXPECT_EQ(Bytes(socket().sent), (std::vector<std::string>{kUT, kQ2, kQ3}));
    EXPECT_EQ(kQ2.size(), 10u);
    EXPECT_EQ(kQ3.size(), 13u);
    for (const auto& d : socket().sent) EXPECT_EQ(d.port, 27910);

    platform.advance(1999);
    EXPECT_EQ(socket().sent.size(), 3u);
    platform.advance(1);
    EXPECT_EQ(socket().sent.size(), 6u);
    EXPECT_EQ(socket().sent[3].atMs, 3000);
    EXPECT_EQ(view().sModeLabel, "");
    EXPECT_EQ(view().typspel, "(geen)");
}

TEST_F(PollingTest, KnownQuakeFamilyPollsEverySecondWithBothQuakeQueries) {
    switchOn("10.0.0.5:27960");
    firstTick();
    reply(Quake3Reply({{"version", "Q3 1.32"}, {"gamename", "osp"}}, {}), "10.0.0.5", 27960);
    ASSERT_EQ(view().gameFamily, GameFamily::Q3);
    socket().sent.clear();

    platform.advance(2000);  // the tick at 3000 ms, then one a second
    platform.advance(1000);
    EXPECT_EQ(Bytes(socket().sent), (std::vector<std::string>{kQ2, kQ3, kQ2, kQ3}));
    EXPECT_EQ(socket().sent[0].atMs, 3000);
    EXPECT_EQ(socket().sent[2].atMs, 4000);
    EXPECT_EQ(socket().sent[0].port, 27960);
    EXPECT_EQ(view().sModeLabel, "Q3");
}

TEST_F(PollingTest, OnlyRepliesShorterThanElevenBytesShowAGamePort) {
    switchOn("10.0.0.7:7777");
    firstTick();
    reply(std::string("\x01\x40", 2) + "123456789", "10.0.0.7", 7777);
    EXPECT_EQ(view().Q2Serverlist, "10.0.0.7:7777");
    EXPECT_FALSE(view().portBumped);
}

TEST_F(PollingTest, UnrealFamilyPollsOnlyItsOwnQueryEveryTwoSeconds) {
    switchOn("10.0.0.7:7777 Clan server");
    firstTick();
    reply(std::string("\x01\x40xyz", 5), "10.0.0.7", 7777);  // a game port answering

    EXPECT_EQ(view().Q2Serverlist, "10.0.0.7:7778 Clan server");
    EXPECT_EQ(view().gameFamily, GameFamily::UT);
    EXPECT_TRUE(view().portBumped);

    socket().sent.clear();
    view().utQueryFresh = false;
    platform.advance(4000);
    EXPECT_EQ(Bytes(socket().sent), (std::vector<std::string>{kUT, kUT}));
    EXPECT_EQ(socket().sent[0].port, 7778);
    EXPECT_EQ(socket().sent[1].atMs - socket().sent[0].atMs, 2000);
    EXPECT_TRUE(view().utQueryFresh);
}

TEST_F(PollingTest, PlusPortMovesToThePortAboveAndKeepsTheComment) {
    OnServerEntryEdited(app, "10.0.0.7:7777 Clan server");
    PlusPort(app);
    EXPECT_EQ(view().Q2Serverlist, "10.0.0.7:7778 Clan server");
    EXPECT_EQ(view().gameFamily, GameFamily::UT);

    OnServerEntryEdited(app, "10.0.0.7");
    PlusPort(app);
    EXPECT_EQ(view().Q2Serverlist, "10.0.0.7:27911");

    OnServerEntryEdited(app, "10.0.0.7:" + std::string(30, '9'));  // held as other numbers are
    PlusPort(app);
    EXPECT_EQ(view().Q2Serverlist, "10.0.0.7:9000000000000000000");
}

TEST_F(PollingTest, ServerThatAnswersEmptyIsNoLongerPolled) {
    switchOn("10.0.0.5");
    firstTick();
    reply("", "10.0.0.5", 27910);
    ASSERT_EQ(view().gameFamily, GameFamily::None);
    ASSERT_EQ(view().spelerLijst.size(), 1u);
    EXPECT_EQ(view().spelerLijst[0].name, "No server found!");

    socket().sent.clear();
    platform.advance(10000);
    EXPECT_TRUE(socket().sent.empty());

    WisselConnectie(app);  // off and on again starts over
    WisselConnectie(app);
    platform.advance(1000);
    EXPECT_EQ(socket().sent.size(), 3u);
}

TEST_F(PollingTest, ReplyWaitingAtTheFirstTickIsHandledBeforeTheQuakeQueries) {
    switchOn("10.0.0.5");
    std::size_t sentWhenHandled = 0;
    platform.pendingEvents.push_back([&] {
        sentWhenHandled = socket().sent.size();
        reply(Quake2Reply({{"gamedir", "ctf"}}, {}), "10.0.0.5", 27910);
    });
    firstTick();
    EXPECT_EQ(sentWhenHandled, 1u);
    EXPECT_EQ(view().gameFamily, GameFamily::Q2);
    EXPECT_EQ(Bytes(socket().sent), (std::vector<std::string>{kUT, kQ2, kQ3}));
}

TEST_F(PollingTest, SecondsPlayedAdvancesOnlyWhileTheMatchClockRuns) {
    platform.advance(5000);
    EXPECT_EQ(view().secondsPlayed, 0);
    app.battleTimer->setEnabled(true);
    platform.advance(3000);
    EXPECT_EQ(view().secondsPlayed, 3);
}

TEST_F(PollingTest, ConnectionButtonFollowsTheEntryText) {
    OnServerEntryEdited(app, "10.0.0.5");
    EXPECT_TRUE(view().quakeTimerButtonEnabled);
    OnServerEntryEdited(app, "");
    EXPECT_FALSE(view().quakeTimerButtonEnabled);
}

TEST_F(PollingTest, AddingToTheSavedListRefusesEmptyAndKnownEntries) {
    view().qServers = {" 10.0.0.1:27910 "};
    OnServerEntryEdited(app, "");
    AddServerToList(app);
    EXPECT_EQ(platform.beeps, 1);

    OnServerEntryEdited(app, "10.0.0.1:27910 Old friends");
    AddServerToList(app);
    EXPECT_EQ(platform.beeps, 2);

    OnServerEntryEdited(app, "10.0.0.2:27960 New friends");
    AddServerToList(app);
    EXPECT_EQ(platform.beeps, 2);
    EXPECT_EQ(view().qServers.back(), "10.0.0.2:27960");
}

TEST_F(PollingTest, RecordingEntryIsNotGivenAServerPort) {
    platform.files["demos/final.rec"] = " 1\r\nreply\r\n";
    switchOn("demos/final.rec");
    EXPECT_EQ(view().Q2Serverlist, "demos/final.rec");
    EXPECT_FALSE(view().Q2ServerlistEnabled);
    EXPECT_FALSE(app.quakeTimer->enabled());
}

}  // namespace
}  // namespace fc::test
