// The poll tick's order within one tick; the rest of polling is played in cases/polling.txt.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace fc::test
