// Which D2XX table the cable port runs on, and the search that picks it: the vendor's library
// first, loaded at run time; when none is usable, our serial-driver layer over the system's
// serial ports.
#pragma once

#include "link/d2xx_table.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace korv::link {

struct CableDriver {
    D2xxTable table;
    // Keeps whatever backs the table alive (a loaded library); released when the last port
    // using it goes.
    std::shared_ptr<void> owner;
    // For diagnostics: the library file or "serial driver".
    std::string name;
};

// The library's file version counts from 3.1 on; 3.0 and older are refused.
bool VersionAccepted(DWORD major, DWORD minor);
// The same test on the 0x00MMmmbb value of FT_GetLibraryVersion.
bool LibraryVersionAccepted(DWORD version);

enum class BindOutcome { Bound, NoVersion, TooOld, MissingEntryPoint };

// Binds the ten entry points and the version query by their exported names through lookup, and
// makes the version test through the library's own FT_GetLibraryVersion. The entry points are
// bound whatever the version says; table is usable only when the outcome is Bound.
using SymbolLookup = std::function<void*(const char* name)>;
BindOutcome BindD2xx(const SymbolLookup& lookup, D2xxTable& table);

// Loads the vendor's library: "libftd2xx.so" through the loader's usual search (or the path
// given), "ftd2xx.dll" on Windows. Empty when it is missing, too old or incomplete; why, when
// given, says which.
std::optional<CableDriver> LoadVendorLibrary(const std::string& file, std::string* why = nullptr);
std::string DefaultVendorLibrary();

// The vendor library when one is usable, else the serial driver.
std::optional<CableDriver> FindCableDriver();

} // namespace korv::link
