// The monitor on a real Qt socket against a loopback game server that answers with real bytes.
#include <gtest/gtest.h>

#include <QUdpSocket>

#include "core/app.h"
#include "monitor/poller.h"
#include "program/wiring.h"
#include "shell/qt_platform.h"
#include "support/udp_responder.h"
#include "support/unreal_replies.h"

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
            for (const std::string& d : unrealDatagrams(answer, static_cast<int>(queries.size())))
                server.writeDatagram(d.data(), static_cast<qint64>(d.size()), from, port);
        }
    });
    QtPlatform platform{"/tmp"};
    WiredApp app{platform};
    const std::string entry = "127.0.0.1:" + std::to_string(server.localPort()) + " test server";
    onServerEntryEdited(app, entry);
    toggleConnection(app);
    ASSERT_TRUE(waitUntil([&] { return app.monitor.playerRows.size() == 2; }, 5000));
    EXPECT_EQ(app.monitor.gameFamily, GameFamily::UT);
    EXPECT_EQ(app.monitor.gameType, GameType::UnrealCtf);
    EXPECT_EQ(app.monitor.playerRows[0].name, "Alpha");
    EXPECT_EQ(app.monitor.blueScoreText, "0/1");
    EXPECT_EQ(app.settings.timeLimitMinutes, "15");
    EXPECT_EQ(app.settings.serverEntry, entry);
    ASSERT_GE(queries.size(), 3u);
    EXPECT_EQ(std::vector<QByteArray>(queries.begin(), queries.begin() + 3),
              (std::vector<QByteArray>{"\\status\\", "\xFF\xFF\xFF\xFFstatus",
                                       "\xFF\xFF\xFF\xFFgetstatus"}));
    toggleConnection(app);
}

// Names are looked up in the background: the answer comes after the call, from the event loop,
// and a monitor whose entry names its server polls it once the name is found.
TEST(LoopbackPolling, ServerNamedByItsHostNameIsLookedUpAndPolled) {
    QtPlatform platform{"/tmp"};
    for (const char* name : {"localhost", "127.0.0.1"}) {
        std::optional<std::string> answer;
        platform.lookUpHost(name, [&](const std::string& address) { answer = address; });
        EXPECT_FALSE(answer) << name;
        ASSERT_TRUE(waitUntil([&] { return answer.has_value(); }, 5000)) << name;
        EXPECT_EQ(*answer, "127.0.0.1") << name;
    }
    UdpResponder server([](const std::string& query) -> std::optional<std::string> {
        if (query != "\xFF\xFF\xFF\xFFgetstatus") return std::nullopt;
        return std::string("\xFF\xFF\xFF\xFFstatusResponse\n\\version\\Q3 1.32\\mapname\\q3dm6\n");
    });
    WiredApp app{platform};
    onServerEntryEdited(app, "localhost:" + std::to_string(server.port()));
    toggleConnection(app);
    ASSERT_TRUE(waitUntil([&] { return app.monitor.gameFamily == GameFamily::Q3; }, 5000));
    EXPECT_EQ(app.monitor.mapText, "q3dm6");
    EXPECT_EQ(app.gameSocket->remoteAddress(), "127.0.0.1");
    toggleConnection(app);
}

// On the wire: short datagrams with "@" at the second byte from another port of the server's
// host move nothing; the same from the queried port switch the monitor to Unreal Tournament on
// the port above.
TEST(LoopbackPolling, OnlyTheQueriedPortSwitchesToTheGamePortAbove) {
    for (const bool fromQueriedPort : {false, true}) {
        QUdpSocket server;
        QUdpSocket stranger;
        ASSERT_TRUE(server.bind(QHostAddress::LocalHost, 0));
        ASSERT_TRUE(stranger.bind(QHostAddress::LocalHost, 0));
        quint16 monitorPort = 0;
        QObject::connect(&server, &QUdpSocket::readyRead, [&] {
            while (server.hasPendingDatagrams()) {
                QHostAddress from;
                QByteArray query(static_cast<int>(server.pendingDatagramSize()), 0);
                server.readDatagram(query.data(), query.size(), &from, &monitorPort);
                const QByteArray reply = "\xFF\xFF\xFF\xFFstatusResponse\n\\version\\Q3 1.32\n";
                if (query.endsWith("getstatus")) server.writeDatagram(reply, from, monitorPort);
            }
        });
        QtPlatform platform{"/tmp"};
        WiredApp app{platform};
        const int port = server.localPort();
        onServerEntryEdited(app, "127.0.0.1:" + std::to_string(port));
        toggleConnection(app);
        ASSERT_TRUE(waitUntil([&] { return app.monitor.gameFamily == GameFamily::Q3; }, 5000));
        QUdpSocket& sender = fromQueriedPort ? server : stranger;
        for (int i = 0; i < 3; ++i)
            sender.writeDatagram(QByteArray("\x01@xyz"), QHostAddress::LocalHost, monitorPort);
        waitUntil([&] { return app.monitor.gameFamily == GameFamily::UT; }, 300);
        EXPECT_EQ(app.monitor.gameFamily, fromQueriedPort ? GameFamily::UT : GameFamily::Q3);
        EXPECT_EQ(app.settings.serverEntry,
                  "127.0.0.1:" + std::to_string(fromQueriedPort ? port + 1 : port));
        toggleConnection(app);
    }
}

}  // namespace
}  // namespace fc::test
