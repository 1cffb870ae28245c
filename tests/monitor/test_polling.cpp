// The poll tick's order within one tick; the rest of polling is played in cases/polling.txt.
#include <gtest/gtest.h>

#include "core/server_entry.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"

namespace fc::test {
namespace {

TEST_F(MonitorTest, ReplyWaitingAtTheFirstTickIsHandledBeforeTheQuakeQueries) {
    switchOn("10.0.0.5");
    std::size_t sentWhenHandled = 0;
    platform.pendingEvents.push_back([&] {
        sentWhenHandled = socket().sent.size();
        reply(Quake2Reply({{"gamedir", "ctf"}}, {}), "10.0.0.5", 27910);
    });
    firstTick();
    EXPECT_EQ(sentWhenHandled, 1u);  // the Unreal query only
    EXPECT_EQ(view().gameFamily, GameFamily::Q2);
    EXPECT_EQ(socket().sent.size(), 3u);
}

// Only the port that was queried may show a game port: a datagram too short to be a reply from
// another port of the server moves neither the family nor the polled address, however often it
// comes; a whole reply from another port still moves the queries there.
TEST(FamilySwitch, OnlyTheQueriedPortShowsAGamePort) {
    const std::string quake3 = Quake3Reply({{"version", "Q3 1.32"}, {"gamename", "osp"}}, {});
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
        EXPECT_EQ(m.view().Q2Serverlist, c.entry) << c.name;
        EXPECT_EQ(m.view().gameFamily, c.family) << c.name;
        const std::string polled = StripComment(c.entry);
        EXPECT_EQ(m.socket().sent.back().port, std::stoi(polled.substr(polled.find(':') + 1)))
            << c.name;
    }
}

}  // namespace
}  // namespace fc::test
