// The cable through the system's own serial driver (libserialport), for machines without the
// vendor's library: the serial port whose USB product string is the cable's description stands
// for the cable, and the D2XX calls keep their meaning on it.
#pragma once

#include "link/cable_driver.h"

#include <functional>
#include <string>
#include <vector>

struct sp_port;

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

// Opens one serial port for reading and writing with this process as its only user. 0 with the
// port, or the system's error number: EBUSY or EWOULDBLOCK when another process holds the port,
// ENOENT, ENODEV or ENXIO when it is gone. The port is the caller's to close and free.
using SerialPortOpener = std::function<int(const std::string& name, sp_port*& port)>;
int OpenSerialPortExclusively(const std::string& name, sp_port*& port);

// Replaces the opener (tests); an empty opener restores OpenSerialPortExclusively.
void SetSerialPortOpener(SerialPortOpener opener);

// The serial driver's D2XX table. Opening is by description only; reads and writes block up to
// their time-outs and return the count done; a time-out of 0 waits without limit, as D2XX does.
// FT_OpenEx answers as the vendor's library does: FT_DEVICE_NOT_FOUND when no port with the
// description is there, FT_DEVICE_NOT_OPENED when one is but another process holds it, and
// FT_OTHER_ERROR when it is there and cannot be opened for another reason (permissions).
CableDriver SerialDriver();

} // namespace korv::link
