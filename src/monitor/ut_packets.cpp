#include "monitor/ut_packets.h"

#include "core/app.h"
#include "core/server_vars.h"
#include "core/text_util.h"

namespace fc {

void newUnrealQuery(App& app) {
    app.monitor.utQueryFresh = true;
    for (std::string& slot : app.monitor.utPackets) slot.clear();
    app.monitor.utPacketCount = 0;
}

std::optional<std::string> addUnrealPiece(App& app, std::string piece) {
    if (textEndsWith(piece, "\\") && !textEndsWith(piece, "final\\")) piece.pop_back();
    const std::string queryId = getServerVar("queryid", piece);
    const std::size_t stop = queryId.find('.');
    if (stop == std::string::npos) return std::nullopt;
    const double number = leadingNumber(std::string_view(queryId).substr(stop + 1));
    if (number < 1 || number > kHighestUnrealPacket) return std::nullopt;
    const auto n = static_cast<std::int16_t>(number);
    const bool final = textContains(piece, "\\final\\");
    app.monitor.utPackets[n] = std::move(piece);
    if (final) app.monitor.utPacketCount = n;

    bool whole = app.monitor.utPacketCount > 0;
    for (int i = 1; i <= app.monitor.utPacketCount; ++i)
        if (app.monitor.utPackets[i].empty()) whole = false;
    if (!whole || !app.monitor.utQueryFresh) return std::nullopt;
    app.monitor.utQueryFresh = false;

    // A replayed answer is cut again at its queryids, which leaves the "\" between two pieces
    // at the end of the first, where it is dropped: it goes back in, so the pairs stay pairs.
    std::string& joined = app.monitor.utWholeReply;
    joined.clear();
    for (int i = 1; i <= app.monitor.utPacketCount; ++i) {
        const std::string& piece = app.monitor.utPackets[i];
        if (!joined.empty() && joined.back() != '\\' && piece.front() != '\\') joined += '\\';
        joined += piece;
    }
    return "blaatschaap\\totaal\\" + blankNumber(app.monitor.utPacketCount) +
           app.monitor.utWholeReply;
}

}  // namespace fc
