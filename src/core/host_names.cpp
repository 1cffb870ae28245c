#include "core/host_names.h"

#include <arpa/inet.h>

#include <utility>

#include "core/platform.h"

namespace fc {

bool isNumericAddress(const std::string& host) {
    unsigned char bytes[16];
    return inet_pton(AF_INET, host.c_str(), bytes) == 1 ||
           inet_pton(AF_INET6, host.c_str(), bytes) == 1;
}

HostNames::HostNames(Platform& platform)
    : platform_(platform), alive_(std::make_shared<HostNames*>(this)) {}

HostNames::~HostNames() = default;

std::string HostNames::addressOf(const std::string& host, const std::string& asker,
                                 Answer answered) {
    if (isNumericAddress(host)) return host;
    if (host.empty()) return "";  // no name to look up, nothing to say
    Name& name = names_[host];
    if (!name.address.empty()) return name.address;
    name.waiting[asker] = std::move(answered);
    if (!name.lookingUp) {
        name.lookingUp = true;
        const std::weak_ptr<HostNames*> alive = alive_;
        platform_.lookUpHost(host, [alive, host](const std::string& address) {
            if (const auto self = alive.lock()) (*self)->answer(host, address);
        });
    }
    return "";
}

bool HostNames::isKnown(const std::string& host) const {
    if (isNumericAddress(host)) return true;
    const auto found = names_.find(host);
    return found != names_.end() && !found->second.address.empty();
}

void HostNames::answer(const std::string& host, const std::string& address) {
    Name& name = names_[host];
    name.lookingUp = false;
    name.address = address;
    if (address.empty() && !name.saidMissing) {
        name.saidMissing = true;
        if (tell) tell("*** The host " + host + " cannot be found; it will be looked up again.");
    } else if (!address.empty() && name.saidMissing) {
        name.saidMissing = false;
        if (tell) tell("*** The host " + host + " was found at " + address + ".");
    }
    // The answers may ask again; they find the name's state already settled.
    for (auto& [asker, answered] : std::exchange(name.waiting, {})) {
        if (answered) answered(address);
    }
}

}  // namespace fc
