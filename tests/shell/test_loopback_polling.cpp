// The monitor on real Qt sockets against loopback game servers that answer with real bytes.
#include <gtest/gtest.h>

#include "core/app.h"
#include "monitor/poller.h"
#include "shell/qt_platform.h"
#include "support/replies.h"
#include "support/udp_responder.h"
#include "support/unreal_replies.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

void Monitor(App& app, int port) {
    OnServerEntryEdited(app, "127.0.0.1:" + std::to_string(port) + " test server");
    WisselConnectie(app);
}

// A Quake 3 engine ignores the first tick's Unreal Tournament and Quake 2 queries and answers
// "getstatus" with the last reply of a recorded match.
TEST(LoopbackPolling, RealQuake3ServerBytesShowFamilyMapAndPlayers) {
    std::string recorded;
    for (const auto& r : LoadCapture("ctf_oa_ctf4ish_x4.q3cap"))
        if (r.answered) recorded = r.bytes;
    ASSERT_FALSE(recorded.empty()) << "recorded matches not found in " << CapturesDir();
    UdpResponder server([&](const std::string& q) -> std::optional<std::string> {
        if (q == "\xFF\xFF\xFF\xFFgetstatus") return recorded;
        return std::nullopt;
    });
    QtPlatform platform{"/tmp"};
    WiredApp app{platform};
    Monitor(app, server.port());
    ASSERT_TRUE(WaitUntil([&] { return app.view.gameFamily == GameFamily::Q3; }, 5000));
    EXPECT_EQ(app.view.qsGame + " " + app.view.qsMap, "baseoa oa_ctf4ish");
    ASSERT_EQ(app.view.spelerLijst.size(), 6u);
    EXPECT_EQ(app.view.spelerLijst[0].name, "=RC=Sarge");
    EXPECT_EQ(app.view.Q2Serverlist, "127.0.0.1:" + std::to_string(server.port()) + " test server");
    ASSERT_GE(server.queries().size(), 3u);
    EXPECT_EQ(std::vector<std::string>(server.queries().begin(), server.queries().begin() + 3),
              (std::vector<std::string>{"\\status\\", "\xFF\xFF\xFF\xFFstatus",
                                        "\xFF\xFF\xFF\xFFgetstatus"}));
    WisselConnectie(app);
}

// An Unreal Tournament server answers "\status\" in three datagrams from the polled address.
TEST(LoopbackPolling, UnrealServerAnswersInThreeDatagrams) {
    QUdpSocket server;
    ASSERT_TRUE(server.bind(QHostAddress::LocalHost, 0));
    int queries = 0;
    QObject::connect(&server, &QUdpSocket::readyRead, [&] {
        while (server.hasPendingDatagrams()) {
            QHostAddress from;
            quint16 port = 0;
            QByteArray query(static_cast<int>(server.pendingDatagramSize()), 0);
            server.readDatagram(query.data(), query.size(), &from, &port);
            if (query != "\\status\\") continue;
            ++queries;
            const UnrealAnswer answer{"CTFGame", "15", {{"Alpha", 3, "0"}, {"Bravo", 1, "1"}}};
            for (const std::string& d : UnrealDatagrams(answer, queries))
                server.writeDatagram(d.data(), static_cast<qint64>(d.size()), from, port);
        }
    });
    QtPlatform platform{"/tmp"};
    WiredApp app{platform};
    Monitor(app, server.localPort());
    ASSERT_TRUE(WaitUntil([&] { return app.view.spelerLijst.size() == 2; }, 5000));
    EXPECT_EQ(app.view.gameFamily, GameFamily::UT);
    EXPECT_EQ(app.view.gameType, "utctf");
    EXPECT_EQ(app.view.spelerLijst[0].name, "Alpha");
    EXPECT_EQ(app.view.qsBlue, "0/1");
    EXPECT_EQ(app.view.TimeLimitDM, "15");
    WisselConnectie(app);
}

}  // namespace
}  // namespace fc::test
