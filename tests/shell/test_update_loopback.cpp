// The headless update check against a web host on loopback that answers the simple request
// with the version file in two blocks and then ends the connection.
#include <QTcpServer>
#include <QTcpSocket>

#include "shell/headless_fixture.h"

namespace fc::test {
namespace {

using UpdateLoopback = HeadlessTest;

TEST_F(UpdateLoopback, TheHostsVersionFileComesBackAsAMessage) {
    QTcpServer host;
    ASSERT_TRUE(host.listen(QHostAddress::LocalHost));
    std::string request;
    QObject::connect(&host, &QTcpServer::newConnection, [&] {
        QTcpSocket* peer = host.nextPendingConnection();
        QObject::connect(peer, &QTcpSocket::readyRead, [&, peer] {
            request += peer->readAll().toStdString();
            if (request.find("\r\n") == std::string::npos) return;
            peer->write("1.4");
            peer->flush();
            peer->write("0   140Faster polling.");
            peer->disconnectFromHost();
        });
    });
    const std::string url =
        "http://127.0.0.1:" + std::to_string(host.serverPort()) + "/fcst.versie";
    writeSettings("UpdateURL = " + url + "\r\n; End of INI\r\n");
    ASSERT_EQ(run({"--json", "--check-update"}), 0) << err;

    EXPECT_EQ(request, "GET " + url + "\r\n");
    const std::vector<QJsonObject> shown = events("message");
    ASSERT_EQ(shown.size(), 1u) << out;
    EXPECT_EQ(shown[0]["title"], "Update available!");
    EXPECT_EQ(shown[0]["text"].toString().toStdString(),
              "There is a newer version available! Download at https://fragcaster.example.net/ "
              "!\r\nYour version: 1.33 (build: 139)\r\nNew version: 1.40 (build:140)\r\n\r\n"
              "Faster polling.");
    EXPECT_TRUE(settingsHold("UpdateURL = " + url));
}

}  // namespace
}  // namespace fc::test
