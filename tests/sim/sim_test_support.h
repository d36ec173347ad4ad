// Small builders shared by the simulator's tests.
#pragma once

#include "sim/module_sim.h"

#include <cstdint>
#include <vector>

namespace korv::sim {

using Bytes = std::vector<std::uint8_t>;

inline ModuleSetup Configured(void (*edit)(ModuleSetup&)) {
    ModuleSetup s;
    edit(s);
    return s;
}

inline Fault MakeFault(Request request, FaultType type, int page = -1, std::uint32_t arg = 0,
                       int times = -1) {
    Fault f;
    f.request = request;
    f.type = type;
    f.page = page;
    f.arg = arg;
    f.times = times;
    return f;
}

} // namespace korv::sim
