// The Interp feed through the fake platform: its case file (lines in, labels and channel lines
// out), and the raw display's bounds, which no case file writes well.
#include <gtest/gtest.h>

#include <string>

#include "interp/interp_feed.h"
#include "support/fake_platform.h"
#include "support/report_recorder.h"
#include "support/scenario.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

FC_SCENARIOS(Feed, "interp/cases/feed.txt");

class InterpFeed : public ::testing::Test {
protected:
    InterpFeed() {
        app.addListener(&said);
        app.view.Q2Serverlist = "10.0.0.5:27960 our server";
        ConnectInterp(app);
        service().accept();
    }
    FakeTcpSocket& service() { return *platform.tcpSockets.at(1); }
    void lines(const std::string& text) { service().receive(text); }

    FakePlatform platform;
    WiredApp app{platform};
    ReportRecorder said;
};

TEST_F(InterpFeed, OutputShowsTheRawFeedBounded) {
    lines("a\nb");
    lines("c\r\n");
    EXPECT_EQ(app.view.InterpOutput, "a\r\nbc\r\r\n");
    lines(std::string(12000, 'x') + "\n");
    EXPECT_EQ(app.view.InterpOutput.size(), 10000u);
    ClearInterpOutput(app);
    EXPECT_EQ(app.view.InterpOutput, "");
}

TEST_F(InterpFeed, AnEndlessLineIsDroppedWithOneMessage) {
    app.view.InterpGotFlag = true;
    auto messages = [&] {
        const std::string& out = app.view.InterpOutput;
        std::size_t n = 0;
        for (std::size_t at = out.find("dropped"); at != std::string::npos;
             at = out.find("dropped", at + 1))
            ++n;
        return n;
    };
    for (int i = 0; i < 2; ++i) lines(std::string(4000, 'y'));
    for (int i = 0; i < 2; ++i) lines(std::string(4200, 'y'));
    EXPECT_EQ(messages(), 1u);
    lines(std::string(9000, 'y') + " got the RED flag!\nRED Flag Status: HOME\n");
    EXPECT_EQ(messages(), 1u);
    EXPECT_EQ(app.view.StatRed, "*** home ***");
    EXPECT_TRUE(said.take().empty());
    EXPECT_TRUE(app.view.interpBuffer.empty());
}

}  // namespace
}  // namespace fc::test
