// The update check through the fake platform: the request, the version file in one or more
// blocks, and which message box (if any) the operator sees.
#include <gtest/gtest.h>

#include "core/app.h"
#include "settings/startup.h"
#include "support/fake_platform.h"
#include "update/updater.h"
#include "update/version_file.h"
#include "wiring/wiring.h"

namespace fc {
namespace {

using test::FakePlatform;
using test::FakeTcpSocket;

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

constexpr const char* kOwn = "Your version: 1.33 (build: 139)\r\n";
constexpr const char* kAvailable =
    "Update available!|There is a newer version available! Download at "
    "https://fragcaster.example.net/ !\r\n";

TEST_F(UpdateCheck, TheVersionFileDecidesWhatTheOperatorSees) {
    struct Case {
        bool manual;
        std::vector<std::string> blocks;
        std::string shown;
    };
    const std::string available = std::string(kAvailable) + kOwn;
    const std::string none = std::string("Updater.|No new version available!\r\n") + kOwn;
    const Case cases[] = {
        {false,
         {"1.40   140Faster polling."},
         available + "New version: 1.40 (build:140)\r\n\r\nFaster polling."},
        {false, {"1.33   150"}, ""},  // a higher build of the same version is no update
        {true, {"1.33   150"}, none + "New version: 1.33 (build:150)"},
        {false, {"2.00     1"}, available + "New version: 2.00 (build:1)\r\n\r\n"},
        {true, {"1.9      9"}, none + "New version: 1.9 (build:9)"},  // 9 is below 33
        {true, {"0.99  1000"}, none + "New version: 0.99 (build:1000)"},
        {false,
         {"1.4", "0   140Two", " blocks"},
         available + "New version: 1.40 (build:140)\r\n\r\nTwo blocks"},
        {true, {"1.34"}, std::string(kAvailable) + kOwn + "New version: 1.34 (build:0)\r\n\r\n"},
        // Answers that are no version file end the check without a word, asked for or not.
        {true, {"HTTP/1.0 404 Not Found\r\n\r\n"}, ""},
        {true, {"1.3\n"}, none + "New version: 1.3 (build:0)"},
        {true, {"1."}, ""},
        {true, {"v1.40  140"}, ""},
        {true, {"1.x    140"}, ""},
        {true, {}, ""},
        {true, {std::string(5000, '9')}, ""},
    };
    for (const Case& c : cases) {
        shown.clear();
        check(c.manual, c.blocks);
        EXPECT_EQ(shown, c.shown) << c.blocks.size() << " " << c.manual;
    }
    EXPECT_EQ(ended, static_cast<int>(std::size(cases)));
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

TEST_F(UpdateCheck, TheSplashStartsTheCheckOnlyWhenTicked) {
    for (const bool ticked : {false, true}) {
        app.view.CheckForUpdate = ticked;
        app.view.splashVisible = true;
        OnSplashClicked(app);
        EXPECT_EQ(usock().connects, ticked ? 1 : 0);
    }
}

TEST(UpdateUrl, HostAndPortFromTheAddress) {
    const std::pair<const char*, const char*> cases[] = {
        {"http://updates.example.net/fcst.versie", "updates.example.net:80"},
        {"HTTP://127.0.0.1:8080/a/b", "127.0.0.1:8080"},
        {"  localhost:1/x  ", "localhost:1"},
        {"example.net", "example.net:80"},
        {"http://h:65535/", "h:65535"},
        {"", "-"},
        {"http:///x", "-"},
        {"http://h:0/x", "-"},
        {"http://h:65536/x", "-"},
        {"http://h:80x/", "-"},
        {"http://h:/", "-"},
        {"http://a b/", "-"},
    };
    for (const auto& [url, expected] : cases) {
        const std::optional<UpdateAddress> a = ReadUpdateUrl(url);
        EXPECT_EQ(a ? a->host + ":" + std::to_string(a->port) : "-", expected) << url;
    }
}

}  // namespace
}  // namespace fc
