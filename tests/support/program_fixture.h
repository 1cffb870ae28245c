// The program on the fake platform, what it shows in the output window, and the program
// monitoring a game server.
#pragma once

#include <gtest/gtest.h>

#include "core/app.h"
#include "monitor/poller.h"
#include "program/wiring.h"
#include "support/fake_platform.h"
#include "support/report_recorder.h"

namespace fc::test {

struct Program {
    Program() { app.addListener(&output); }
    OutputRecorder output;  // outlives the program
    FakePlatform platform;
    WiredApp app{platform};
};

struct Monitor : Program {
    Monitor() { app.match.teamsKnown = true; }  // as the start-up leaves it

    FakeUdpSocket& socket() { return *platform.udpSockets.at(0); }

    void switchOn(const std::string& entry) {
        onServerEntryEdited(app, entry);
        toggleConnection(app);
    }

    // The first tick, which aims the socket at the server (replies from elsewhere are dropped).
    void firstTick() { platform.advance(1000); }

    void reply(const std::string& bytes, const std::string& from, int port) {
        socket().deliver(bytes, from, port);
    }
};

class MonitorTest : public ::testing::Test, public Monitor {};

}  // namespace fc::test
