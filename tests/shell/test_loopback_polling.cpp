// The monitor on a real Qt socket against a loopback game server that answers with real bytes.
#include <gtest/gtest.h>

#include "core/app.h"
#include "monitor/poller.h"
#include "shell/qt_platform.h"
#include "support/udp_responder.h"
#include "support/unreal_replies.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

// An Unreal Tournament server answers "\status\" in three datagrams from the polled address;
// the first tick has asked in all three ways, the Unreal Tournament query first.
TEST(LoopbackPolling, UnrealServerAnswersTheFirstTickInThreeDatagrams) {
    QUdpSocket server;
    ASSERT_TRUE(server.bind(QHostAddress::LocalHost, 0));
    std::vector<QByteArray> queries;
    QObject::connect(&server, &QUdpSocket::readyRead, [&] {
        while (server.hasPendingDatagrams()) {
            QHostAddress from;
            quint16 port = 0;
            QByteArray query(static_cast<int>(server.pendingDatagramSize()), 0);
            server.readDatagram(query.data(), query.size(), &from, &port);
            queries.push_back(query);
            if (query != "\\status\\") continue;
            const UnrealAnswer answer{"CTFGame", "15", {{"Alpha", 3, "0"}, {"Bravo", 1, "1"}}};
            for (const std::string& d : UnrealDatagrams(answer, static_cast<int>(queries.size())))
                server.writeDatagram(d.data(), static_cast<qint64>(d.size()), from, port);
        }
    });
    QtPlatform platform{"/tmp"};
    WiredApp app{platform};
    const std::string entry = "127.0.0.1:" + std::to_string(server.localPort()) + " test server";
    OnServerEntryEdited(app, entry);
    WisselConnectie(app);
    ASSERT_TRUE(WaitUntil([&] { return app.view.spelerLijst.size() == 2; }, 5000));
    EXPECT_EQ(app.view.gameFamily, GameFamily::UT);
    EXPECT_EQ(app.view.gameType, GameType::UnrealCtf);
    EXPECT_EQ(app.view.spelerLijst[0].name, "Alpha");
    EXPECT_EQ(app.view.qsBlue, "0/1");
    EXPECT_EQ(app.view.TimeLimitDM, "15");
    EXPECT_EQ(app.view.Q2Serverlist, entry);
    ASSERT_GE(queries.size(), 3u);
    EXPECT_EQ(std::vector<QByteArray>(queries.begin(), queries.begin() + 3),
              (std::vector<QByteArray>{"\\status\\", "\xFF\xFF\xFF\xFFstatus",
                                       "\xFF\xFF\xFF\xFFgetstatus"}));
    WisselConnectie(app);
}

}  // namespace
}  // namespace fc::test
