// A server browser on the fake platform: the socket its sweeps use, and answers to it.
#pragma once

#include <gtest/gtest.h>

#include "browser/browser_actions.h"
#include "browser/server_list.h"
#include "core/app.h"
#include "program/wiring.h"
#include "support/fake_platform.h"
#include "support/replies.h"

namespace fc::test {

class BrowserTest : public ::testing::Test {
protected:
    FakeUdpSocket& sweepSocket() { return *platform.udpSockets.at(1); }
    BrowserView& b() { return app.browserView; }

    // Server i of the stored list: 10.0.0.i:2790i.
    static std::string address(int i) {
        return "10.0.0." + std::to_string(i) + ":2790" + std::to_string(i);
    }
    void answer(int i, const std::string& bytes) {
        sweepSocket().deliver(bytes, "10.0.0." + std::to_string(i), 27900 + i);
    }

    FakePlatform platform;
    WiredApp app{platform};
};

}  // namespace fc::test
