// The computer's local date and time now, for what the program stamps with it: backup names
// and the journal of module work. localtime itself is not safe beside the runner's thread.
#pragma once

#include <ctime>

namespace korv {

inline std::tm LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

} // namespace korv
