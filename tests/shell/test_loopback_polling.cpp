// The monitor on a real Qt socket against a loopback game server that answers with real bytes.
#include <gtest/gtest.h>

#include "core/app.h"
#include "monitor/poller.h"
#include "program/wiring.h"
#include "shell/qt_platform.h"
#include "support/udp_responder.h"
#include "support/unreal_replies.h"

namespace fc::test {
namespace {

class LoopbackPolling : public ::testing::Test {
protected:
    void watch(const std::string& entry) {
        onServerEntryEdited(app, entry);
        toggleConnection(app);
    }
    void TearDown() override {
        if (!app.window.serverEntryEnabled) toggleConnection(app);  // enabled while not monitoring
    }
    QtPlatform platform{"/tmp"};
    WiredApp app{platform};
};

// "\status\" answered in three datagrams; the first tick asks in all three ways, UT's first.
TEST_F(LoopbackPolling, UnrealServerAnswersTheFirstTickInThreeDatagrams) {
    const UnrealAnswer answer{"CTFGame", "15", {{"Alpha", 3, "0"}, {"Bravo", 1, "1"}}};
    UdpResponder server([&](const std::string& query) {
        return query == "\\status\\" ? unrealDatagrams(answer, server.queries.size()) : Datagrams{};
    });
    watch(server.entry() + " test server");
    ASSERT_TRUE(waitUntil([&] { return app.monitor.playerRows.size() == 2; }, 5000));
    EXPECT_EQ(app.monitor.gameType, GameType::UnrealCtf);
    EXPECT_EQ(app.monitor.playerRows[0].name + app.monitor.blueScoreText +
                  app.settings.timeLimitMinutes.text(),
              "Alpha0/115");
    EXPECT_EQ(app.settings.serverEntry, server.entry() + " test server");
    ASSERT_GE(server.queries.size(), 3u);
    EXPECT_EQ(Datagrams(server.queries.begin(), server.queries.begin() + 3),
              (Datagrams{"\\status\\", "\xFF\xFF\xFF\xFFstatus", "\xFF\xFF\xFF\xFFgetstatus"}));
}

TEST_F(LoopbackPolling, ServerNamedByItsHostNameIsLookedUpAndPolled) {
    std::optional<std::string> answer;
    platform.lookUpHost("localhost", [&](const std::string& address) { answer = address; });
    EXPECT_FALSE(answer);
    UdpResponder server([](const std::string& query) {
        return query.ends_with("getstatus")
                   ? Datagrams{"\xFF\xFF\xFF\xFFstatusResponse\n"
                               "\\version\\Q3 1.32\\mapname\\q3dm6\n"}
                   : Datagrams{};
    });
    watch("localhost:" + std::to_string(server.port()));
    ASSERT_TRUE(waitUntil([&] { return app.monitor.gameFamily == GameFamily::Q3; }, 5000));
    EXPECT_EQ(app.monitor.mapText + " " + app.gameSocket->remoteAddress(), "q3dm6 127.0.0.1");
    EXPECT_EQ(answer, "127.0.0.1");
}

}  // namespace
}  // namespace fc::test
