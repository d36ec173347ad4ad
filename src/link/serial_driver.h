// The cable through the system's own serial driver (libserialport), for machines without the
// vendor's library: the serial port whose USB product string is the cable's description stands
// for the cable, and the D2XX calls keep their meaning on it.
#pragma once

#include "link/cable_driver.h"

#include <functional>
#include <string>
#include <vector>

namespace korv::link {

struct SerialPortInfo {
    std::string name;       // what the serial library opens, e.g. /dev/ttyUSB0
    std::string usbProduct; // empty for ports that are not on USB
};

using SerialPortLister = std::function<std::vector<SerialPortInfo>()>;

// The serial ports of this machine with their USB product strings.
std::vector<SerialPortInfo> ListSystemSerialPorts();

// Replaces the port list the serial driver searches (tests); an empty lister restores the
// system's.
void SetSerialPortLister(SerialPortLister lister);

// The serial driver's D2XX table. Opening is by description only; reads and writes block up to
// their time-outs and return the count done; a time-out of 0 waits without limit, as D2XX does.
CableDriver SerialDriver();

} // namespace korv::link
