#include "core/platform.h"

#include <chrono>
#include <ctime>

namespace fc {

LocalTime Platform::localTime() const {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const double fraction =
        static_cast<double>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000) /
        1000.0;
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction};
}

}  // namespace fc
