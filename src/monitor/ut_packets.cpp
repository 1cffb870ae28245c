#include "monitor/ut_packets.h"

#include "core/server_vars.h"
#include "core/text_util.h"
#include "core/view_model.h"

namespace fc {

void newUnrealQuery(MainView& v) {
    v.utQueryFresh = true;
    for (std::string& slot : v.utPackets) slot.clear();
    v.utPacketCount = 0;
}

std::optional<std::string> addUnrealPiece(MainView& v, std::string piece) {
    if (textEndsWith(piece, "\\") && !textEndsWith(piece, "final\\")) piece.pop_back();
    const std::string queryId = getServerVar("queryid", piece);
    const std::size_t stop = queryId.find('.');
    if (stop == std::string::npos) return std::nullopt;
    const double number = leadingNumber(std::string_view(queryId).substr(stop + 1));
    if (number < 0 || number > kHighestUnrealPacket) return std::nullopt;
    const auto n = static_cast<std::int16_t>(number);
    const bool final = textContains(piece, "\\final\\");
    v.utPackets[n] = std::move(piece);
    if (final) v.utPacketCount = n;

    v.utPacketSizes.clear();
    bool whole = v.utPacketCount > 0;
    for (int i = 1; i <= v.utPacketCount; ++i) {
        v.utPacketSizes.push_back(plainNumber(i) + ": " + plainNumber(v.utPackets[i].size()));
        if (v.utPackets[i].empty()) whole = false;
    }
    if (!whole || !v.utQueryFresh) return std::nullopt;
    v.utQueryFresh = false;

    v.utWholeReply.clear();
    for (int i = 1; i <= v.utPacketCount; ++i) v.utWholeReply += v.utPackets[i];
    return "blaatschaap\\totaal\\" + blankNumber(v.utPacketCount) + v.utWholeReply;
}

}  // namespace fc
