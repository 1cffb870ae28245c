// What a headless run prints about the bot's lines, read back from stdout.
#include <gtest/gtest.h>

#include "core/app.h"
#include "irc/outgoing.h"
#include "program/wiring.h"
#include "shell/headless.h"
#include "support/fake_platform.h"

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

}  // namespace
}  // namespace fc::test
