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

void QuotedNames::use(const std::string& list) {
    if (list == list_ && (!names_.empty() || list.empty())) return;
    list_ = list;
    names_.clear();
    plain_ = true;
    std::size_t at = 0;
    while (plain_ && at < list.size()) {
        const std::size_t close = list[at] == '"' ? list.find('"', at + 1) : std::string::npos;
        if (close == std::string::npos || close == at + 1) {
            plain_ = false;
            break;
        }
        names_.insert(std::string_view(list_).substr(at + 1, close - at - 1));
        at = close + 1;
    }
}

// In a list of quoted names, a name without quotes is found in quotes exactly when it is one
// of the names; anything else is left to the plain search.
bool QuotedNames::holds(const std::string& name) const {
    if (!plain_ || name.empty() || name.find('"') != std::string::npos) {
        return listHolds(list_, name);
    }
    return names_.count(name) > 0;
}

}  // namespace fc
