// What a headless run prints about the bot's lines, read back from stdout.
#include <gtest/gtest.h>

#include "core/app.h"
#include "irc/outgoing.h"
#include "monitor/poller.h"
#include "shell/headless.h"
#include "support/fake_platform.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

TEST(HeadlessOutput, EveryLineForTheChannelIsAReportEventEvenWhenItIsNotSent) {
    FakePlatform platform;
    WiredApp app(platform);
    AttachHeadlessOutput(app, true);
    testing::internal::CaptureStdout();
    stuurMSG(app, "#FCST", "\x02Red\x02 scores");  // not connected: nothing is sent
    app.view.ReportToIrc = false;
    stuurMSG(app, "#FCST", "silenced");
    app.appendOutput("*** DISCONNECTED! ***");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "{\"event\":\"report\",\"target\":\"#FCST\",\"text\":\"\\u0002Red\\u0002 scores\"}\n"
              "{\"event\":\"report\",\"target\":\"#FCST\",\"text\":\"silenced\"}\n"
              "{\"event\":\"output\",\"text\":\"*** DISCONNECTED! ***\"}\n");
}

// A server name that cannot be found is said once, on stdout with the other output lines and on
// stderr, however many ticks look it up again.
TEST(HeadlessOutput, AServerNameNotFoundIsSaidOnceOnStderr) {
    FakePlatform platform;
    WiredApp app(platform);
    AttachHeadlessOutput(app, false);
    OnServerEntryEdited(app, "nowhere.invalid:27960");
    WisselConnectie(app);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    platform.advance(10000);
    const std::string line =
        "*** The host nowhere.invalid cannot be found; it will be looked up again.";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "fragcaster: " + line + "\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), line + "\n");
    EXPECT_EQ(platform.lookups.size(), 5u);
}

}  // namespace
}  // namespace fc::test
