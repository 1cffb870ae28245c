// Feeds arbitrary bytes to the server browser as a server's answer, both to the sweep and to the
// clicked server's socket. Whatever it holds, the row it gives has to come back unchanged from
// the snapshot file, and the detail list has to be drawn in both modes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "browser/browser_actions.h"
#include "browser/server_list.h"
#include "core/app.h"
#include "program/wiring.h"
#include "support/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string answer(reinterpret_cast<const char*>(data), size);
    fc::test::FakePlatform platform;
    fc::WiredApp app(platform);
    app.settings.masterServer = "127.0.0.1:27950";
    app.settings.savedServers = {"10.0.0.1:27960", "10.0.0.2"};
    fc::openBrowser(app);
    fc::totalRefresh(app);
    platform.advance(300);
    platform.udpSockets.at(1)->deliver(answer, "10.0.0.1", 27960);
    fc::onServerRowClicked(app, 1);
    for (const char* from : {"10.0.0.1", "10.0.0.2"}) {
        platform.udpSockets.at(2)->deliver(answer, from, from[7] == '1' ? 27960 : 27910);
    }
    fc::switchDetailMode(app);
    fc::switchDetailMode(app);

    const std::vector<fc::ServerRow> rows = app.browserView.serverRows;
    if (rows.size() != 2) std::abort();  // an answer changes a row, it never adds one
    fc::closeThisWindow(app);
    fc::openBrowser(app);
    if (app.browserView.serverRows != rows) std::abort();
    return 0;
}
