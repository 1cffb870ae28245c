#include "core/reply_memory.h"

namespace fc {

bool listHolds(const std::string& list, const std::string& name) {
    if (name.empty()) return list.find("\"\"") != std::string::npos;
    for (std::size_t at = list.find(name, 1); at != std::string::npos;
         at = list.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        if (list[at - 1] == '"' && end < list.size() && list[end] == '"') return true;
    }
    return false;
}

namespace {

// FNV-1a: names are short, and this is quicker on them than the library's hash.
std::uint64_t hashOfName(std::string_view name) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

void QuotedNames::use(const std::string& list) {
    if (list == list_ && (!names_.empty() || list.empty())) return;
    list_ = list;
    names_.clear();
    slots_.clear();
    plain_ = true;
    std::size_t at = 0;
    while (plain_ && at < list.size()) {
        const std::size_t close = list[at] == '"' ? list.find('"', at + 1) : std::string::npos;
        if (close == std::string::npos || close == at + 1) {
            plain_ = false;
            break;
        }
        names_.push_back(std::string_view(list_).substr(at + 1, close - at - 1));
        at = close + 1;
    }
    if (names_.size() <= kFewNames) return;
    // A long list is hashed into a table at most half full; a free slot holds no text.
    std::size_t size = 2;
    while (size < names_.size() * 2) size *= 2;
    slots_.assign(size, std::string_view());
    for (const std::string_view name : names_) {
        std::size_t slot = hashOfName(name) & (size - 1);
        while (slots_[slot].data() != nullptr && slots_[slot] != name)
            slot = (slot + 1) & (size - 1);
        slots_[slot] = name;
    }
}

// In a list of quoted names, a name without quotes is found in quotes exactly when it is one
// of the names; anything else is left to the plain search.
bool QuotedNames::holds(const std::string& name) const {
    if (!plain_ || name.empty() || name.find('"') != std::string::npos) {
        return listHolds(list_, name);
    }
    if (slots_.empty()) {
        // A short list is quicker read through than hashed.
        for (const std::string_view listed : names_) {
            if (listed == name) return true;
        }
        return false;
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hashOfName(name) & mask; slots_[slot].data() != nullptr;
         slot = (slot + 1) & mask) {
        if (slots_[slot] == name) return true;
    }
    return false;
}

}  // namespace fc
