// Host names looked up without holding up the one thread. A numeric address needs no look-up;
// a name is looked up in the background, and whoever asked for it hears the answer. A name that
// resolved keeps its address; one that did not is looked up again at the next ask, so a server
// whose name comes back later is found. The operator is told once when a name cannot be found,
// and once more when such a name is found after all.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace fc {

class Platform;

// Whether `host` is an IPv4 or IPv6 address written out in numbers.
bool isNumericAddress(const std::string& host);

class HostNames {
public:
    using Answer = std::function<void(const std::string& address)>;

    explicit HostNames(Platform& platform);
    ~HostNames();
    HostNames(const HostNames&) = delete;
    HostNames& operator=(const HostNames&) = delete;

    // The numeric address of `host` when it is known now: a numeric host itself, or the
    // address a name was found at. Otherwise "", and the name is looked up (unless that already
    // runs); `answered` then gets the address, or "" when the name cannot be found. Each
    // `asker` waits with one answer: a second ask of the same asker replaces the first. An
    // empty host is never looked up nor answered.
    std::string addressOf(const std::string& host, const std::string& asker, Answer answered);

    // Whether `host` has a numeric address now, without looking anything up.
    bool isKnown(const std::string& host) const;

    // Says a line where the operator sees it.
    std::function<void(const std::string& line)> tell;

private:
    struct Name {
        std::string address;
        bool lookingUp = false;
        bool saidMissing = false;
        std::map<std::string, Answer> waiting;
    };
    void answer(const std::string& host, const std::string& address);

    Platform& platform_;
    std::map<std::string, Name> names_;
    // Answers that arrive after this object is gone are dropped.
    std::shared_ptr<HostNames*> alive_;
};

}  // namespace fc
