#include "monitor/match_events.h"

#include "shell/app.h"

namespace fc {

namespace {

std::string BeforeSlash(const std::string& text) {
    return text.substr(0, text.find('/'));
}

std::string AfterSlash(const std::string& text) {
    const std::size_t slash = text.find('/');
    return slash == std::string::npos ? text : text.substr(slash + 1);
}

}  // namespace

void RunOspPhaseRules(App&, const std::string&) {}

void RunMatchEventRules(App&, const std::string&) {}

void StoreLastValues(App& app, const std::string& reply) {
    MainView& v = app.view;
    v.lastValues[0] = v.qsTimeLeft;
    v.lastValues[3] = reply;
    v.lastValues[5] = v.qsGame;
    if (v.gameType == "ctf" || v.gameType == "ctfq3") {
        v.lastValues[1] = BeforeSlash(v.qsRed);
        v.lastValues[2] = BeforeSlash(v.qsBlue);
    } else if (v.gameType == "ctfbq3") {
        v.lastValues[1] = AfterSlash(v.qsRed);
        v.lastValues[2] = AfterSlash(v.qsBlue);
    } else {
        v.lastValues[1] = v.qsRed;
        v.lastValues[2] = v.qsBlue;
    }
}

}  // namespace fc
