#include "monitor/ut_packets.h"

#include "core/server_vars.h"
#include "core/text_util.h"
#include "core/view_model.h"

namespace fc {

void NewUnrealQuery(MainView& v) {
    v.utQueryFresh = true;
    for (std::string& slot : v.utPackets) slot.clear();
    v.utPacketCount = 0;
}

std::optional<std::string> AddUnrealPiece(MainView& v, std::string piece) {
    if (EndsWith(piece, "\\") && !EndsWith(piece, "final\\")) piece.pop_back();
    const std::string queryId = GetServerVar("queryid", piece);
    const std::size_t stop = queryId.find('.');
    if (stop == std::string::npos) return std::nullopt;
    const double number = LeadingNumber(std::string_view(queryId).substr(stop + 1));
    if (number < 0 || number > kHighestUnrealPacket) return std::nullopt;
    const auto n = static_cast<std::int16_t>(number);
    const bool final = Contains(piece, "\\final\\");
    v.utPackets[n] = std::move(piece);
    if (final) v.utPacketCount = n;

    v.List2.clear();
    bool whole = v.utPacketCount > 0;
    for (int i = 1; i <= v.utPacketCount; ++i) {
        v.List2.push_back(PlainNumber(i) + ": " + PlainNumber(v.utPackets[i].size()));
        if (v.utPackets[i].empty()) whole = false;
    }
    if (!whole || !v.utQueryFresh) return std::nullopt;
    v.utQueryFresh = false;

    v.utWholeReply.clear();
    for (int i = 1; i <= v.utPacketCount; ++i) v.utWholeReply += v.utPackets[i];
    return "blaatschaap\\totaal\\" + BlankNumber(v.utPacketCount) + v.utWholeReply;
}

}  // namespace fc
