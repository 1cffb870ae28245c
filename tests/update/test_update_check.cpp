// The update check through the fake platform: the request, the version file in one or more
// blocks, and which message box (if any) the operator sees.
#include <gtest/gtest.h>

#include "core/app.h"
#include "program/wiring.h"
#include "support/cases.h"
#include "support/fake_platform.h"
#include "update/updater.h"
#include "update/version_file.h"

namespace fc::test {
namespace {

class UpdateCheck : public ::testing::Test, public AppListener {
protected:
    UpdateCheck() {
        app.addListener(this);
        app.view.UpdateURL = "http://127.0.0.1:8080/fcst.versie";
        app.updateCheckEnded = [this] { ++ended; };
    }
    ~UpdateCheck() override { app.removeListener(this); }
    void messageShown(const std::string& title, const std::string& text) override {
        shown += title + "|" + text;
    }
    FakeTcpSocket& usock() { return *platform.tcpSockets.at(2); }

    // Runs one check that the host answers with `blocks`, then ends.
    void check(bool manual, const std::vector<std::string>& blocks) {
        manual ? UpdateKnop(app) : Updater(app);
        usock().accept();
        for (const std::string& block : blocks) usock().receive(block);
        usock().peerClose();
    }

    FakePlatform platform;
    WiredApp app{platform};
    std::string shown;
    int ended = 0;
};

TEST_F(UpdateCheck, TheVersionFileDecidesWhatTheOperatorSees) {
    const std::vector<Case> cases = LoadCases("update/cases/version_file.txt");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        shown.clear();
        check(c.has("manual"), c.all("block"));
        EXPECT_EQ(shown, c.get("shown"));
    }
    EXPECT_EQ(ended, static_cast<int>(cases.size()));
}

TEST_F(UpdateCheck, OneSimpleRequestToTheAddressTheSettingsGive) {
    UpdateKnop(app);
    EXPECT_EQ(usock().host, "127.0.0.1");
    EXPECT_EQ(usock().port, 8080);
    usock().accept();
    EXPECT_EQ(usock().sent, "GET http://127.0.0.1:8080/fcst.versie\r\n");
    // A new check closes the earlier connection first, and the operator's marker goes with it.
    const int closes = usock().closes;
    Updater(app);
    EXPECT_EQ(usock().closes, closes + 1);
    usock().accept();
    usock().receive("1.33   150");
    usock().peerClose();
    EXPECT_EQ(shown, "");
}

TEST_F(UpdateCheck, FailuresAndAMissingAddress) {
    UpdateKnop(app);
    usock().fail();
    Updater(app);
    usock().accept();
    usock().fail();
    EXPECT_EQ(shown, "");
    EXPECT_EQ(ended, 2);

    app.view.UpdateURL.clear();
    Updater(app);
    EXPECT_EQ(usock().connects, 2);  // no address: an automatic check does nothing
    UpdateKnop(app);
    EXPECT_EQ(shown, "Updater.|No update address set (UpdateURL in orvexa.ini).");
    EXPECT_EQ(ended, 3);
}

TEST(UpdateUrl, HostAndPortFromTheAddress) {
    for (const Case& c : LoadCases("update/cases/update_url.txt")) {
        const std::optional<UpdateAddress> a = ReadUpdateUrl(c.get("url"));
        EXPECT_EQ(a ? a->host + ":" + std::to_string(a->port) : "-", c.get("address")) << c.name;
    }
}

}  // namespace
}  // namespace fc::test
