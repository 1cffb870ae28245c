// The update check through the fake platform: the request, the version file, the message box.
#include <gtest/gtest.h>

#include "support/program_fixture.h"
#include "update/updater.h"
#include "update/version_file.h"

namespace fc::test {
namespace {

struct UpdateCheck : ::testing::Test, Program {
    void SetUp() override {
        app.settings.updateUrl = "http://127.0.0.1:8080/fcst.versie";
        app.updateCheckEnded = [this] { ++ended; };
    }
    FakeTcpSocket& socket() { return *platform.tcpSockets.at(2); }
    int ended = 0;
};

const std::string kMine = "\r\nYour version: 1.33 (build: 139)\r\nNew version: ";
const std::string kNewer =
    "Update available!: There is a newer version available! Download at "
    "https://fragcaster.example.net/ !" +
    kMine;
const std::string kNoNewer = "Updater.: No new version available!" + kMine;

// Asked for (the button) or automatic; each block arrives as one read, then the host hangs up.
TEST_F(UpdateCheck, TheVersionFileDecidesWhatTheOperatorSees) {
    const std::string x(4086, 'x');  // what 4096 bytes leave behind a version and build
    const std::tuple<const char*, bool, std::vector<std::string>, std::string> rows[] = {
        {"notes after a blank", false, {"1.40   140H"}, kNewer + "1.40 (build:140)\r\n\r\nH"},
        {"a higher major version", false, {"2.00     1"}, kNewer + "2.00 (build:1)\r\n\r\n"},
        {"a runaway cut", false, {"2.00     1", x + x}, kNewer + "2.00 (build:1)\r\n\r\n" + x},
        {"three blocks", false, {"1.4", "0   14", "0Two"}, kNewer + "1.40 (build:140)\r\n\r\nTwo"},
        {"a version without a build", true, {"1.34"}, kNewer + "1.34 (build:0)\r\n\r\n"},
        {"asked: a higher build", true, {"1.33   150"}, kNoNewer + "1.33 (build:150)"},
        {"a build filling its five places", true, {"1.33 101509"}, kNoNewer + "1.33 (build:10150)"},
        {"the minor version is a number", true, {"1.9      9"}, kNoNewer + "1.9 (build:9)"},
        {"lower, with a higher build", true, {"0.99  1000"}, kNoNewer + "0.99 (build:1000)"},
        {"a short version, a line feed", true, {"1.3\n"}, kNoNewer + "1.3 (build:0)"},
        {"unasked: a higher build is no update", false, {"1.33   150"}, ""},
        {"nothing at all", true, {}, ""},
        {"an error page", true, {"HTTP/1.0 404 Not Found\r\n\r\n"}, ""},
        {"a version cut after its dot", true, {"1."}, ""},
        {"a letter before the version", true, {"v1.40  140"}, ""},
        {"a letter as the minor version", true, {"1.x    140"}, ""}};
    for (const auto& [name, asked, blocks, shown] : rows) {
        asked ? checkForUpdateNow(app) : startUpdateCheck(app);
        socket().accept();
        for (const std::string& block : blocks) socket().receive(block);
        socket().peerClose();
        EXPECT_EQ(std::exchange(output.messages, ""), shown + (shown.empty() ? "" : ";")) << name;
    }
    EXPECT_EQ(ended, static_cast<int>(std::size(rows)));
}

TEST_F(UpdateCheck, OneRequestAtATimeAndFailuresSayNothing) {
    checkForUpdateNow(app), socket().accept();
    EXPECT_EQ(socket().host + ":" + std::to_string(socket().port), "127.0.0.1:8080");
    EXPECT_EQ(socket().sent, "GET http://127.0.0.1:8080/fcst.versie\r\n");
    const int closes = socket().closes;
    startUpdateCheck(app);  // closes the asked one first: no "No new version" box below
    EXPECT_EQ(socket().closes, closes + 1);
    socket().accept(), socket().receive("1.33   150"), socket().peerClose();
    checkForUpdateNow(app), socket().fail();
    app.settings.updateUrl = "http://h:0/x";  // cannot be asked: ends at once, silently
    checkForUpdateNow(app);
    app.settings.updateUrl.clear(), startUpdateCheck(app);
    EXPECT_EQ(socket().connects, 3);  // no address: an automatic check does nothing
    checkForUpdateNow(app);
    EXPECT_EQ(output.messages, "Updater.: No update address set (UpdateURL in orvexa.ini).;");
    EXPECT_EQ(ended, 4);
}

TEST(UpdateUrl, HostAndPortFromTheAddress) {
    // clang-format off
    const std::pair<const char*, const char*> rows[] = {
        {"http://updates.example.net/fcst.versie", "updates.example.net:80"},
        {"HTTP://127.0.0.1:8080/a/b", "127.0.0.1:8080"}, {"  localhost:1/x  ", "localhost:1"},
        {"example.net", "example.net:80"}, {"http://h:65535/", "h:65535"}, {"", "-"},
        {"http:///x", "-"}, {"http://h:0/x", "-"}, {"http://h:65536/x", "-"}, {"http://h:000080/x", "-"},
        {"http://h:80x/", "-"}, {"http://h:/", "-"}, {"http://a b/", "-"}};
    // clang-format on
    for (const auto& [url, address] : rows) {
        const std::optional<UpdateAddress> a = readUpdateUrl(url);
        EXPECT_EQ(a ? a->host + ":" + std::to_string(a->port) : "-", address) << url;
    }
}

}  // namespace
}  // namespace fc::test
