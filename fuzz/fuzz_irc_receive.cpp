// Feeds arbitrary bytes to the IRC receive handler of a connected, registered bot, with every
// line it sends going through the paced send queue. The input
// is cut into reads at every 0xFF byte, so lines are also split across reads; the first byte
// sets the options and values the handler and the bot's answers read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/app.h"
#include "irc/irc_connection.h"
#include "program/wiring.h"
#include "support/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fc::test::FakePlatform platform;
    static fc::WiredApp app(platform);
    static fc::test::FakeTcpSocket* socket = [] {
        app.settings.ircLineGapMs = "4";  // paced, yet drained within the second the timers run
        fc::connectIrc(app);
        fc::test::FakeTcpSocket* s = platform.tcpSockets.at(0);
        s->accept();
        return s;
    }();

    if (size > 0) {
        app.settings.showRawText = (data[0] & 0x01) != 0;
        app.settings.greetOnJoin = (data[0] & 0x02) != 0;
        app.settings.serverIsPrivate = (data[0] & 0x04) != 0;
        app.match.matchState = static_cast<fc::MatchState>((data[0] >> 3) & 0x03);
        using fc::GameType;
        static const GameType kTypes[] = {GameType::Quake2Ctf, GameType::Quake3OspScored,
                                          GameType::UnrealCtf, GameType::NoGameYet};
        app.monitor.gameType = kTypes[(data[0] >> 5) & 0x03];
        // The high bit also switches on what logging in and the stop by account read.
        const bool login = (data[0] & 0x80) != 0;
        app.settings.killAllowedFrom = login ? "a b" : "";
        app.settings.killPassword = app.settings.ircSaslUser = login ? "pw" : "";
        app.settings.ircSaslPassword = login ? "secret" : "";
        app.settings.ircLoginLine = login ? "PRIVMSG Q@CServe.x :AUTH pw secret" : "";
        app.settings.ircEncoding = login ? "latin-1" : "utf-8";
        app.monitor.redScoreText = "3/40000";
        app.monitor.blueScoreText = "x";
        app.monitor.playerRows = {{"a\r\nQUIT", "1", "2", "Red", fc::RowColour::Red}};
        ++data;
        --size;
    }
    // Each input starts with an empty output window and no line begun by the one before.
    app.irc.ircOutput.clear();
    app.irc.partialLine.clear();
    app.irc.skippingLongLine = false;
    std::string read, received;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0xFF) {
            socket->receive(read);
            received += read;
            read.clear();
        } else {
            read += static_cast<char>(data[i]);
        }
    }
    if (app.irc.queue.size() > 200) __builtin_trap();
    platform.advance(1000);  // the timers run over what the lines left behind

    // Whatever came in, every line sent is one whole line within the limit.
    std::size_t start = 0;
    for (std::size_t end; (end = socket->sent.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        const std::string line = socket->sent.substr(start, end - start);
        if (line.size() > 510 || line.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            __builtin_trap();
    }
    if (start != socket->sent.size()) __builtin_trap();
    socket->sent.clear();
    if (app.irc.ircOutput.size() > 10000) __builtin_trap();
    // The password never shows unless the server's lines carried it themselves.
    if (app.irc.ircOutput.find("secret") != std::string::npos &&
        received.find("secret") == std::string::npos)
        __builtin_trap();
    // Keep the bot connected and registered for the next input.
    if (socket->state() != fc::SocketState::Connected) {
        if (!app.irc.wanted) fc::connectIrc(app);
        socket->accept();
    }
    app.irc.ignoreList.clear();
    app.irc.channelNicks.clear();
    return 0;
}
