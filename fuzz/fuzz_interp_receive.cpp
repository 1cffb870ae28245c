// Feeds arbitrary bytes to the Interp feed's receive handler. The input is cut into arrivals at
// every 0xFF byte, so lines are split across arrivals and may never end at all; the first byte
// sets the report switches and the match values the handler reads.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/app.h"
#include "interp/interp_feed.h"
#include "program/wiring.h"
#include "support/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fc::test::FakePlatform platform;
    static fc::WiredApp app(platform);
    static fc::test::FakeTcpSocket* feed = [] {
        app.settings.serverEntry = "10.0.0.5:27960";
        fc::connectInterp(app);
        fc::test::FakeTcpSocket* s = platform.tcpSockets.at(1);
        s->accept();
        return s;
    }();

    if (size > 0) {
        const std::uint8_t flags = data[0];
        app.interp.interpGotFlag = app.interp.interpLostFlag = app.interp.interpRecoverFlag =
            (flags & 0x01) != 0;
        app.interp.interpQuad = app.interp.interpHaste = app.interp.interpRegen =
            app.interp.interpInvis = (flags & 0x02) != 0;
        app.interp.interpServerMsg = (flags & 0x04) != 0;
        app.interp.interpReport = (flags & 0x08) != 0;
        app.settings.serverIsPrivate = (flags & 0x10) != 0;
        app.match.matchState = static_cast<fc::MatchState>((flags >> 5) & 0x03);
        app.monitor.gameType =
            (flags & 0x80) ? fc::GameType::Quake3OspCtf : fc::GameType::Quake3OspScored;
        app.settings.ctfTemplate = "%at% %as% %bs% %c% %tl%";
        ++data;
        --size;
    }
    std::string arrival;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0xFF) {
            feed->receive(arrival);
            arrival.clear();
        } else {
            arrival += static_cast<char>(data[i]);
        }
    }
    platform.advance(3000);  // the clock runs over what the lines left behind

    // Whatever came in, the output window and the carried line stay bounded, and the service
    // is only ever sent its request words.
    if (app.interp.interpOutput.size() > 10000 || app.interp.interpBuffer.size() > 16384)
        __builtin_trap();
    for (std::size_t at = 0; at < feed->sent.size();) {
        if (feed->sent.compare(at, 8, "GAMESTAT") == 0 ||
            feed->sent.compare(at, 8, "FLAGSTAT") == 0)
            at += 8;
        else
            __builtin_trap();
    }
    feed->sent.clear();
    return 0;
}
