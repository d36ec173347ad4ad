// The main window's two thin wrappers around the one port object, for the commands that use
// the cable. OpenPort's result tells a cable another program holds (CableInUse) from a missing
// one.
#pragma once

#include "link/ftdi.h"

namespace korv::link {

inline PortResult OpenPort(TBEXFTDI& port) {
    return port.Open();
}
inline bool ClosePort(TBEXFTDI& port) {
    return port.Close();
}

} // namespace korv::link
