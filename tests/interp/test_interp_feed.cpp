// The Interp feed through the fake platform: lines in, labels and channel lines out, from a
// case file; and the feed's bounds.
#include <gtest/gtest.h>

#include <string>

#include "interp/interp_feed.h"
#include "irc/session.h"
#include "program/wiring.h"
#include "support/fake_platform.h"
#include "support/report_recorder.h"

namespace fc::test {
namespace {

FC_SESSIONS(InterpFeed, "interp/cases/feed.txt")

TEST(InterpFeedBounds, TheOutputIsBoundedAndAnEndlessLineIsDroppedWithOneMessage) {
    FakePlatform platform;
    WiredApp app{platform};
    ReportRecorder said;
    app.addListener(&said);
    connectInterp(app);
    FakeTcpSocket& service = *platform.tcpSockets.at(1);
    service.accept();
    app.interp.interpGotFlag = true;
    service.receive(std::string(12000, 'x') + "\n");
    EXPECT_EQ(app.interp.interpOutput.size(), 10000u);
    clearInterpOutput(app);
    for (int n : {4000, 4000, 4200, 4200}) service.receive(std::string(n, 'y'));
    service.receive(std::string(9000, 'y') + " got the RED flag!\nRED Flag Status: HOME\n");
    const std::string& out = app.interp.interpOutput;
    EXPECT_EQ(out.find("dropped"), out.rfind("dropped"));
    EXPECT_NE(out.find("dropped"), std::string::npos);
    EXPECT_EQ(app.interp.redFlagWhere, "*** home ***");
    EXPECT_TRUE(said.lines.empty());
    EXPECT_TRUE(app.interp.interpBuffer.empty());
}

}  // namespace
}  // namespace fc::test
