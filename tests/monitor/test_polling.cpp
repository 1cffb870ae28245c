// The poll tick's order within one tick; the rest of polling is played in cases/polling.txt.
#include <gtest/gtest.h>

#include <functional>

#include "support/monitor_fixture.h"
#include "support/replies.h"
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
        reply(Quake2Reply({{"gamedir", "ctf"}}, {}), "10.0.0.5", 27910);
        quakeQueries();
    };
    firstTick();
    EXPECT_EQ(sentWhenHandled, 1u);  // the Unreal query only
    EXPECT_EQ(view().gameFamily, GameFamily::Q2);
    EXPECT_EQ(view().sModeLabel, FamilyText(GameFamily::Q2));  // shown once the queries went out
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
         m.view().redMembers = "\"Alpha\"";
         m.switchOn("10.0.0.5");
     },
     [](Monitor& m) { return m.view().redMembers.empty(); }},
    {"switching off closes the event feed",
     [](Monitor& m) {
         m.switchOn("10.0.0.5");
         WisselConnectie(m.app);
     },
     [](Monitor& m) { return m.platform.tcpSockets.at(1)->closes == 2; }},
    {"a Quake player list is ordered by the chosen column",
     [](Monitor& m) {
         m.view().spelerLijstSortColumn = 0;
         m.switchOn("10.0.0.5");
         m.firstTick();
         m.reply(Quake2Reply({{"gamedir", "ctf"}}, {{"1", "20", "Zulu"}, {"2", "30", "Alpha"}}),
                 "10.0.0.5", 27910);
     },
     [](Monitor& m) { return m.view().spelerLijst.at(0).name == "Alpha"; }},
    {"an Unreal Tournament player list is coloured by team",
     [](Monitor& m) {
         m.switchOn("127.0.0.1:7778");
         m.firstTick();
         const UnrealAnswer answer{"CTFGame", "0", {{"Alpha", 1, "0"}}};
         for (const std::string& d : UnrealDatagrams(answer, 1)) m.reply(d, "127.0.0.1", 7778);
     },
     [](Monitor& m) { return m.view().spelerLijst.at(0).colour == RowColour::Red; }},
};

TEST(HandedOn, ReachesTheMatchRulesAndTheFeed) {
    for (const HandedOn& row : kHandedOn) {
        Monitor m;
        row.act(m);
        EXPECT_TRUE(row.holds(m)) << row.shows;
    }
}

}  // namespace
}  // namespace fc::test
