// The headless sweep on real sockets: an empty stored list is filled by a master server on
// loopback, the fast sweep asks the servers it lists, and the run ends with the files written as
// the browser's close writes them.
#include <QJsonArray>

#include "shell/headless_fixture.h"

namespace fc::test {
namespace {

using BrowserLoopback = HeadlessTest;

std::string loopbackEntry(int port) {
    return std::string("\x7F\x00\x00\x01", 4) + static_cast<char>(port >> 8) +
           static_cast<char>(port & 0xFF);
}

TEST_F(BrowserLoopback, SweepOverTheMasterServersList) {
    UdpResponder quake3([](const std::string& q) -> std::optional<std::string> {
        if (q != "\xFF\xFF\xFF\xFFgetstatus") return std::nullopt;
        return "\xFF\xFF\xFF\xFFstatusResponse\n\\sv_hostname\\Arena\\mapname\\q3dm6\\"
               "sv_maxclients\\10\n4 0 \"^1Ace\"\n";
    });
    UdpResponder quake2([](const std::string& q) -> std::optional<std::string> {
        if (q != "\xFF\xFF\xFF\xFFstatus") return std::nullopt;
        return "\xFF\xFF\xFF\xFFprint\n\\hostname\\Q2 Box\\mapname\\q2dm1\\maxclients\\8\n";
    });
    UdpResponder silent([](const std::string&) { return std::nullopt; });
    int asked = 0;
    UdpResponder master([&](const std::string& q) -> std::optional<std::string> {
        if (q.rfind("\xFF\xFF\xFF\xFFgetservers ", 0) != 0) return std::nullopt;
        ++asked;
        return "\xFF\xFF\xFF\xFFgetserversResponse\\" + loopbackEntry(quake3.port()) + "\\" +
               loopbackEntry(quake2.port()) + "\\" + loopbackEntry(silent.port()) + "\\EOT";
    });
    writeSettings("MasterServer = 127.0.0.1:" + std::to_string(master.port()) +
                  "\r\n; End of INI\r\n");
    ASSERT_EQ(run({"--json", "--sweep", "--fast", "--filter-unanswered"}), 0) << err;

    const std::string q3 = "127.0.0.1:" + std::to_string(quake3.port());
    const std::string q2 = "127.0.0.1:" + std::to_string(quake2.port());
    EXPECT_EQ(asked, 2);
    std::vector<std::string> answered;
    for (const QJsonObject& row : events("row")) {
        if (row["name"] == "-") continue;
        answered.push_back((row["name"].toString() + "|" + row["players"].toString() + "|" +
                            row["map"].toString() + "|" + row["top"].toString() + "|" +
                            row["server"].toString())
                               .toStdString());
    }
    std::sort(answered.begin(), answered.end());
    EXPECT_EQ(answered, (std::vector<std::string>{"Arena|1 / 10|q3dm6|Ace|" + q3,
                                                  "Q2 Box|0 / 8|q2dm1|-|" + q2}));
    const std::vector<QJsonObject> status = events("status");
    ASSERT_FALSE(status.empty());
    EXPECT_EQ(status.back()["text"], "Ready... Visible: 3. Total 3.");
    // The silent server left the rows but not the stored list.
    EXPECT_EQ(read("fcst-ql.ini"), "Arena\r\n1 / 10\r\nq3dm6\r\nAce\r\n" + q3 +
                                       "\r\nQ2 Box\r\n0 / 8\r\nq2dm1\r\n-\r\n" + q2 + "\r\n");
    EXPECT_TRUE(settingsHold("Q2Server = " + q3));
    EXPECT_TRUE(settingsHold("Q2Server = 127.0.0.1:" + std::to_string(silent.port())));
    EXPECT_TRUE(settingsHold("FastSweep = 0"));
}

}  // namespace
}  // namespace fc::test
