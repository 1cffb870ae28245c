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
        app.settings.updateUrl = "http://127.0.0.1:8080/fcst.versie";
        app.updateCheckEnded = [this] { ++ended; };
    }
    ~UpdateCheck() override { app.removeListener(this); }
    void messageShown(const std::string& title, const std::string& text) override {
        shown += title + "|" + text;
    }
    FakeTcpSocket& fakeUpdateSocket() { return *platform.tcpSockets.at(2); }

    // Runs one check that the host answers with `blocks`, then ends.
    void check(bool manual, const std::vector<std::string>& blocks) {
        manual ? checkForUpdateNow(app) : startUpdateCheck(app);
        fakeUpdateSocket().accept();
        for (const std::string& block : blocks) fakeUpdateSocket().receive(block);
        fakeUpdateSocket().peerClose();
    }

    FakePlatform platform;
    WiredApp app{platform};
    std::string shown;
    int ended = 0;
};

TEST_F(UpdateCheck, TheVersionFileDecidesWhatTheOperatorSees) {
    const std::vector<Case> cases = loadCases("update/cases/version_file.txt");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        shown.clear();
        check(c.has("manual"), c.all("block"));
        EXPECT_EQ(shown, c.get("shown"));
    }
    EXPECT_EQ(ended, static_cast<int>(cases.size()));
}

TEST_F(UpdateCheck, OneSimpleRequestToTheAddressTheSettingsGive) {
    checkForUpdateNow(app);
    EXPECT_EQ(fakeUpdateSocket().host, "127.0.0.1");
    EXPECT_EQ(fakeUpdateSocket().port, 8080);
    fakeUpdateSocket().accept();
    EXPECT_EQ(fakeUpdateSocket().sent, "GET http://127.0.0.1:8080/fcst.versie\r\n");
    // A new check closes the earlier connection first, and the operator's marker goes with it.
    const int closes = fakeUpdateSocket().closes;
    startUpdateCheck(app);
    EXPECT_EQ(fakeUpdateSocket().closes, closes + 1);
    fakeUpdateSocket().accept();
    fakeUpdateSocket().receive("1.33   150");
    fakeUpdateSocket().peerClose();
    EXPECT_EQ(shown, "");
}

TEST_F(UpdateCheck, FailuresAndAMissingAddress) {
    checkForUpdateNow(app);
    fakeUpdateSocket().fail();
    startUpdateCheck(app);
    fakeUpdateSocket().accept();
    fakeUpdateSocket().fail();
    EXPECT_EQ(shown, "");
    EXPECT_EQ(ended, 2);

    app.settings.updateUrl.clear();
    startUpdateCheck(app);
    EXPECT_EQ(fakeUpdateSocket().connects, 2);  // no address: an automatic check does nothing
    checkForUpdateNow(app);
    EXPECT_EQ(shown, "Updater.|No update address set (UpdateURL in orvexa.ini).");
    EXPECT_EQ(ended, 3);
}

TEST(UpdateUrl, HostAndPortFromTheAddress) {
    for (const Case& c : loadCases("update/cases/update_url.txt")) {
        const std::optional<UpdateAddress> a = readUpdateUrl(c.get("url"));
        EXPECT_EQ(a ? a->host + ":" + std::to_string(a->port) : "-", c.get("address")) << c.name;
    }
}

}  // namespace
}  // namespace fc::test
