// The poll tick's order within one tick; the rest of polling is played in cases/polling.txt.
#include <gtest/gtest.h>

#include <functional>

#include "core/server_entry.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"
#include "support/report_recorder.h"
#include "support/unreal_replies.h"

namespace fc::test {
namespace {

TEST_F(MonitorTest, ReplyWaitingAtTheFirstTickIsHandledBeforeTheQuakeQueries) {
    switchOn("10.0.0.5");
    // A reply that waits when the tick ends runs before the query timer, as the event loop has it.
    std::size_t sentWhenHandled = 0;
    auto quakeQueries = app.quakeQueryTimer->onTick;
    app.quakeQueryTimer->onTick = [&] {
        sentWhenHandled = socket().sent.size();
        reply(quake2Reply({{"gamedir", "ctf"}}, {}), "10.0.0.5", 27910);
        quakeQueries();
    };
    firstTick();
    EXPECT_EQ(sentWhenHandled, 1u);  // the Unreal query only
    EXPECT_EQ(app.monitor.gameFamily, GameFamily::Q2);
    EXPECT_EQ(app.monitor.familyLabel,
              familyText(GameFamily::Q2));  // shown once the queries went out
    EXPECT_EQ(socket().sent.size(), 3u);
    EXPECT_FALSE(app.quakeQueryTimer->enabled());  // once a tick
}

// What the monitor hands on to the match rules and the event feed arrives there: each row is one
// step the wiring must connect, seen by what it does.
struct HandedOn {
    const char* shows;
    std::function<void(Monitor&)> act;
    std::function<bool(Monitor&)> holds;
};

const HandedOn kHandedOn[] = {
    {"switching on empties the team lists",
     [](Monitor& m) {
         m.app.match.redMembers = "\"Alpha\"";
         m.switchOn("10.0.0.5");
     },
     [](Monitor& m) { return m.app.match.redMembers.empty(); }},
    {"switching off closes the event feed",
     [](Monitor& m) {
         m.switchOn("10.0.0.5");
         toggleConnection(m.app);
     },
     [](Monitor& m) { return m.platform.tcpSockets.at(1)->closes == 2; }},
    {"a Quake player list is ordered by the chosen column",
     [](Monitor& m) {
         m.app.window.playerRowsSortColumn = 0;
         m.switchOn("10.0.0.5");
         m.firstTick();
         m.reply(quake2Reply({{"gamedir", "ctf"}}, {{"1", "20", "Zulu"}, {"2", "30", "Alpha"}}),
                 "10.0.0.5", 27910);
     },
     [](Monitor& m) { return m.app.monitor.playerRows.at(0).name == "Alpha"; }},
    {"an Unreal Tournament player list is coloured by team",
     [](Monitor& m) {
         m.switchOn("127.0.0.1:7778");
         m.firstTick();
         const UnrealAnswer answer{"CTFGame", "0", {{"Alpha", 1, "0"}}};
         for (const std::string& d : unrealDatagrams(answer, 1)) m.reply(d, "127.0.0.1", 7778);
     },
     [](Monitor& m) { return m.app.monitor.playerRows.at(0).colour == RowColour::Red; }},
};

TEST(HandedOn, ReachesTheMatchRulesAndTheFeed) {
    for (const HandedOn& row : kHandedOn) {
        Monitor m;
        row.act(m);
        EXPECT_TRUE(row.holds(m)) << row.shows;
    }
}

// Only the port that was queried may show a game port: a datagram too short to be a reply from
// another port of the server moves neither the family nor the polled address, however often it
// comes; a whole reply from another port still moves the queries there.
TEST(FamilySwitch, OnlyTheQueriedPortShowsAGamePort) {
    const std::string quake3 = quake3Reply({{"version", "Q3 1.32"}, {"gamename", "osp"}}, {});
    const struct {
        const char* name;
        std::string datagram;
        int fromPort;
        const char* entry;
        GameFamily family;
    } cases[] = {
        {"a game port's answer from another port", "\x01@xyz", 27961, "10.0.0.7:27960 Friday",
         GameFamily::Q3},
        {"an empty datagram from another port", "", 27961, "10.0.0.7:27960 Friday", GameFamily::Q3},
        {"a game port's answer from the queried port", "\x01@xyz", 27960, "10.0.0.7:27961 Friday",
         GameFamily::UT},
        {"a whole reply from another port", quake3, 27970, "10.0.0.7:27970 Friday", GameFamily::Q3},
    };
    for (const auto& c : cases) {
        Monitor m;
        m.switchOn("10.0.0.7:27960 Friday");
        m.firstTick();
        m.reply(quake3, "10.0.0.7", 27960);
        for (int i = 0; i < 3; ++i) m.reply(c.datagram, "10.0.0.7", c.fromPort);
        m.platform.advance(2000);
        EXPECT_EQ(m.app.settings.serverEntry, c.entry) << c.name;
        EXPECT_EQ(m.app.monitor.gameFamily, c.family) << c.name;
        const std::string polled = stripComment(c.entry);
        EXPECT_EQ(m.socket().sent.back().port, std::stoi(polled.substr(polled.find(':') + 1)))
            << c.name;
    }
}

// A server's name is looked up without holding up the tick, and its queries go out as soon as
// it is found. A name that cannot be found sends nothing, is looked up again at every tick and
// is said once in the output window, and once more when it is found after all.
TEST(ServerNameLookUp, QueriesWaitForTheNameAndAFailedNameIsAskedAgain) {
    const std::string missing =
        "*** The host nowhere.invalid cannot be found; it will be looked up again.";
    const struct {
        const char* name;
        const char* entry;
        std::int64_t foundFromMs;  // when the name starts to resolve; -1 never
        std::size_t lookups;
        std::int64_t firstSentMs;  // -1 for nothing sent
        std::vector<std::string> output;
    } cases[] = {
        {"a numeric address needs no look-up", "127.0.0.1:27960", -1, 0, 1000, {}},
        {"a name's queries go out once it is found", "localhost:27960", -1, 1, 1300, {}},
        {"a name not found is looked up at every tick",
         "nowhere.invalid:27960",
         -1,
         3,
         -1,
         {missing}},
        {"a name found later is said and polled",
         "nowhere.invalid:27960",
         3500,
         3,
         5300,
         {missing, "*** The host nowhere.invalid was found at 127.0.0.1."}},
    };
    for (const auto& c : cases) {
        Monitor m;
        OutputRecorder output;
        m.app.addListener(&output);
        m.platform.lookupDelayMs = 300;
        m.switchOn(c.entry);
        if (c.foundFromMs >= 0) {
            m.platform.advance(c.foundFromMs);
            m.platform.hosts["nowhere.invalid"] = "127.0.0.1";
        }
        m.platform.advance(6000 - m.platform.nowMs());
        EXPECT_EQ(m.platform.lookups.size(), c.lookups) << c.name;
        const auto& sent = m.socket().sent;
        EXPECT_EQ(sent.empty() ? -1 : sent.front().atMs, c.firstSentMs) << c.name;
        if (!sent.empty()) EXPECT_EQ(m.socket().remoteAddress(), "127.0.0.1") << c.name;
        EXPECT_EQ(output.lines, c.output) << c.name;
    }
}

}  // namespace
}  // namespace fc::test
