// The monitor on real Qt sockets against loopback game servers that answer with real bytes.
#include <gtest/gtest.h>

#include "core/app.h"
#include "monitor/poller.h"
#include "shell/qt_platform.h"
#include "support/replies.h"
#include "support/udp_responder.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

const std::string kQ2Query = std::string("\xFF\xFF\xFF\xFF") + "status";
const std::string kQ3Query = std::string("\xFF\xFF\xFF\xFF") + "getstatus";

class LoopbackPolling : public ::testing::Test {
protected:
    void monitor(int port) {
        OnServerEntryEdited(app, "127.0.0.1:" + std::to_string(port) + " test server");
        WisselConnectie(app);
    }
    ~LoopbackPolling() override {
        if (!app.view.Q2ServerlistEnabled) WisselConnectie(app);
    }

    QtPlatform platform{"/tmp"};
    WiredApp app{platform};
};

TEST_F(LoopbackPolling, RealQuake3ServerBytesShowFamilyMapAndPlayers) {
    const auto capture = LoadCapture("ctf_oa_ctf4ish_x4.q3cap");
    ASSERT_FALSE(capture.empty()) << "recorded matches not found in " << CapturesDir();
    std::string recorded;
    for (const auto& r : capture) {
        if (r.answered) recorded = r.bytes;  // the last reply: every bot on the server
    }
    // A Quake 3 engine ignores the Quake 2 query and answers "getstatus".
    UdpResponder server([&](const std::string& q) -> std::optional<std::string> {
        if (q == kQ3Query) return recorded;
        return std::nullopt;
    });
    monitor(server.port());

    ASSERT_TRUE(WaitUntil([&] { return app.view.gameFamily == GameFamily::Q3; }, 5000));
    EXPECT_EQ(app.view.qsGame, "baseoa");
    EXPECT_EQ(app.view.qsMap, "oa_ctf4ish");
    ASSERT_EQ(app.view.spelerLijst.size(), 6u);
    EXPECT_EQ(app.view.spelerLijst[0].name, "=RC=Sarge");
    EXPECT_EQ(app.view.Q2Serverlist, "127.0.0.1:" + std::to_string(server.port()) + " test server");
    // The first tick asked in all three ways, the Unreal Tournament query first.
    ASSERT_GE(server.queries().size(), 3u);
    EXPECT_EQ(server.queries()[0], "\\status\\");
    EXPECT_EQ(server.queries()[1], kQ2Query);
    EXPECT_EQ(server.queries()[2], kQ3Query);
}

}  // namespace
}  // namespace fc::test
