#include "link/cable_driver.h"

#ifdef _WIN32
#include "core/utf8_path.h"

#include <windows.h>
#else
#include "link/serial_driver.h"

#include <dlfcn.h>
#endif

namespace korv::link {

bool HasAllEntryPoints(const D2xxTable& t) {
    return t.FT_OpenEx && t.FT_Close && t.FT_Read && t.FT_Write && t.FT_SetBaudRate &&
           t.FT_SetTimeouts && t.FT_ResetDevice && t.FT_Purge && t.FT_SetRts && t.FT_ClrRts;
}

bool VersionAccepted(DWORD major, DWORD minor) {
    const std::uint64_t ms = std::uint64_t{major} * 65536u + minor;
    return ms > 3u * 65536u;
}

bool LibraryVersionAccepted(DWORD version) {
    return VersionAccepted((version >> 16) & 0xFFu, (version >> 8) & 0xFFu);
}

namespace {

template <typename F> void Bind(const SymbolLookup& lookup, const char* name, F& slot) {
    slot = reinterpret_cast<F>(lookup(name));
}

void BindEntryPoints(const SymbolLookup& lookup, D2xxTable& t) {
    Bind(lookup, "FT_OpenEx", t.FT_OpenEx);
    Bind(lookup, "FT_Close", t.FT_Close);
    Bind(lookup, "FT_Read", t.FT_Read);
    Bind(lookup, "FT_Write", t.FT_Write);
    Bind(lookup, "FT_SetBaudRate", t.FT_SetBaudRate);
    Bind(lookup, "FT_SetTimeouts", t.FT_SetTimeouts);
    Bind(lookup, "FT_ResetDevice", t.FT_ResetDevice);
    Bind(lookup, "FT_Purge", t.FT_Purge);
    Bind(lookup, "FT_SetRts", t.FT_SetRts);
    Bind(lookup, "FT_ClrRts", t.FT_ClrRts);
    Bind(lookup, "FT_GetLibraryVersion", t.FT_GetLibraryVersion);
}

const char* Describe(BindOutcome outcome) {
    switch (outcome) {
    case BindOutcome::Bound:
        return "usable";
    case BindOutcome::NoVersion:
        return "the library does not tell its version";
    case BindOutcome::TooOld:
        return "the library is older than version 3.1";
    case BindOutcome::MissingEntryPoint:
        return "the library lacks one of the functions the cable needs";
    }
    return "";
}

} // namespace

BindOutcome BindD2xx(const SymbolLookup& lookup, D2xxTable& table) {
    table = D2xxTable{};
    BindEntryPoints(lookup, table);
    DWORD version = 0;
    if (!table.FT_GetLibraryVersion || table.FT_GetLibraryVersion(&version) != FT_OK)
        return BindOutcome::NoVersion;
    if (!LibraryVersionAccepted(version))
        return BindOutcome::TooOld;
    if (!HasAllEntryPoints(table))
        return BindOutcome::MissingEntryPoint;
    return BindOutcome::Bound;
}

namespace {
// Keeps a bound driver together with what holds its library loaded, or says why it was not
// bound.
std::optional<CableDriver> Accept(CableDriver driver, BindOutcome outcome,
                                  std::shared_ptr<void> owner, const std::string& file,
                                  std::string* why) {
    if (why)
        *why = Describe(outcome);
    if (outcome != BindOutcome::Bound)
        return std::nullopt;
    driver.owner = std::move(owner);
    driver.name = file;
    return driver;
}
} // namespace

#ifdef _WIN32

std::string DefaultVendorLibrary() {
    return "ftd2xx.dll";
}

namespace {
// The file version from the library's version resource, as the high 32 bits (major * 65536 +
// minor); empty when the resource cannot be read. Wide calls, so any folder name works.
std::optional<DWORD> FileVersionMs(HMODULE module) {
    std::wstring path(32768, L'\0');
    const ::DWORD length =
        GetModuleFileNameW(module, path.data(), static_cast<::DWORD>(path.size()));
    if (length == 0 || length >= path.size())
        return std::nullopt;
    path.resize(length);
    ::DWORD ignored = 0;
    const ::DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return std::nullopt;
    std::string data(size, '\0');
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data()))
        return std::nullopt;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoLength = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &infoLength) || !info)
        return std::nullopt;
    return static_cast<DWORD>(info->dwFileVersionMS);
}

} // namespace

std::optional<CableDriver> LoadVendorLibrary(const std::string& file, std::string* why) {
    HMODULE module = LoadLibraryW(Utf8Path(file).c_str());
    if (!module) {
        if (why)
            *why = "cannot load " + file;
        return std::nullopt;
    }
    std::shared_ptr<void> owner(module, [](void* m) { FreeLibrary(static_cast<HMODULE>(m)); });
    CableDriver driver;
    BindEntryPoints(
        [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(module, name)); },
        driver.table);
    const auto ms = FileVersionMs(module);
    BindOutcome outcome = BindOutcome::Bound;
    if (!ms)
        outcome = BindOutcome::NoVersion;
    else if (!VersionAccepted(*ms >> 16, *ms & 0xFFFFu))
        outcome = BindOutcome::TooOld;
    else if (!HasAllEntryPoints(driver.table))
        outcome = BindOutcome::MissingEntryPoint;
    return Accept(std::move(driver), outcome, std::move(owner), file, why);
}

#else

std::string DefaultVendorLibrary() {
    return "libftd2xx.so";
}

std::optional<CableDriver> LoadVendorLibrary(const std::string& file, std::string* why) {
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (why) {
            const char* error = dlerror();
            *why = error ? error : "cannot load " + file;
        }
        return std::nullopt;
    }
    std::shared_ptr<void> owner(handle, [](void* h) { dlclose(h); });
    CableDriver driver;
    const BindOutcome outcome =
        BindD2xx([&](const char* name) { return dlsym(handle, name); }, driver.table);
    return Accept(std::move(driver), outcome, std::move(owner), file, why);
}

#endif

std::optional<CableDriver> FindCableDriver() {
    if (auto vendor = LoadVendorLibrary(DefaultVendorLibrary()))
        return vendor;
#ifdef _WIN32
    // On Windows the vendor's library is the cable's driver: without it there is none.
    return std::nullopt;
#else
    return SerialDriver();
#endif
}

} // namespace korv::link
