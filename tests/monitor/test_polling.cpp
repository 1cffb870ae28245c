// The poll tick's order within one tick; the rest of polling is played in cases/polling.txt.
#include <gtest/gtest.h>

#include "support/monitor_fixture.h"
#include "support/replies.h"

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

}  // namespace
}  // namespace fc::test
