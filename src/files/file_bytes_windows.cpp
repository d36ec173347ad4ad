// Reading and saving card files on Windows, through the wide-character file API so that names
// in any language open. The save keeps the rules it has elsewhere where Windows has the same
// notions: only a plain file is replaced, the new bytes reach the disk before they replace the
// old ones, a failure leaves the old file and no leftovers, a file with other hard links or in
// a folder we may not add to is rewritten in place.
#include "files/file_bytes.h"

#include "core/utf8_path.h"
#include "files/card_file_kind.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace korv {

namespace {

std::string Reason(DWORD err) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, err, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string reason = n && text ? std::string(text, n) : "error " + std::to_string(err);
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.'))
        reason.pop_back();
    return reason;
}

constexpr char kNotRegularFile[] = "Not a regular file";

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (valid())
            CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }
    bool Close() {
        const bool ok = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"/\\");
    if (slash == std::wstring::npos)
        return L".";
    return path.substr(0, slash == 0 ? 1 : slash);
}

// Writes all bytes from the handle's position; a fault stops it as a full disk would.
DWORD WriteAll(HANDLE h, std::string_view bytes, const WriteFault& fault) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        std::size_t chunk = std::min<std::size_t>(bytes.size() - written, 1 << 20);
        if (fault.failAfterBytes) {
            if (written >= *fault.failAfterBytes)
                return ERROR_DISK_FULL;
            chunk = std::min(chunk, *fault.failAfterBytes - written);
        }
        DWORD n = 0;
        if (!WriteFile(h, bytes.data() + written, static_cast<DWORD>(chunk), &n, nullptr))
            return GetLastError();
        written += n;
    }
    return 0;
}

FileWriteResult Failed(DWORD err) {
    FileWriteResult r;
    r.error = Reason(err);
    return r;
}

// The file keeps its links and attributes: its own bytes are replaced.
FileWriteResult WriteInPlace(const std::wstring& path, std::string_view bytes,
                             const WriteFault& fault) {
    Handle h(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.valid())
        return Failed(GetLastError());
    if (fault.failAfterBytes && *fault.failAfterBytes < bytes.size())
        return Failed(ERROR_DISK_FULL);
    if (const DWORD err = WriteAll(h.get(), bytes, fault))
        return Failed(err);
    if (!SetEndOfFile(h.get()) || !FlushFileBuffers(h.get()))
        return Failed(GetLastError());
    if (!h.Close())
        return Failed(GetLastError());
    FileWriteResult r;
    r.ok = true;
    return r;
}

// A new file beside the target with a short name nobody uses.
HANDLE CreateTemporary(const std::wstring& folder, std::wstring& name) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const unsigned tag =
            (GetCurrentProcessId() * 7919u + GetTickCount() + ++counter) % 1000000u;
        name = folder + L"\\.korv-" + std::to_wstring(tag);
        HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return h;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

} // namespace

FileBytes ReadCardFileBytes(const std::string& path) {
    FileBytes r;
    Handle h(CreateFileW(Utf8Path(path).wstring().c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.valid()) {
        r.error = Reason(GetLastError());
        return r;
    }
    // A device (NUL, COM1) has no size: taken as empty, it is refused like any empty file.
    LARGE_INTEGER size{};
    if (GetFileType(h.get()) == FILE_TYPE_DISK && !GetFileSizeEx(h.get(), &size)) {
        r.error = Reason(GetLastError());
        return r;
    }
    r.size = size.QuadPart > 0 ? static_cast<std::uint64_t>(size.QuadPart) : 0;
    if (!CardFileSizeAccepted(r.size)) {
        r.ok = true;
        return r;
    }
    r.bytes.resize(r.size);
    std::size_t got = 0;
    while (got < r.bytes.size()) {
        DWORD n = 0;
        if (!ReadFile(h.get(), r.bytes.data() + got, static_cast<DWORD>(r.bytes.size() - got), &n,
                      nullptr)) {
            r.error = Reason(GetLastError());
            r.bytes.clear();
            return r;
        }
        if (n == 0)
            break; // shrank since it was opened: take what is there
        got += n;
    }
    r.bytes.resize(got);
    r.size = got;
    r.ok = true;
    return r;
}

FileWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                                    const WriteFault& fault) {
    if (path.empty())
        return Failed(ERROR_FILE_NOT_FOUND);
    const std::wstring target = Utf8Path(path).wstring();
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND)
        return Failed(GetLastError());
    std::size_t links = 1;
    if (exists) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            FileWriteResult r;
            r.error = "Is a directory";
            return r;
        }
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return Failed(ERROR_ACCESS_DENIED);
        // Only a plain file on a disk is replaced: never a device or a pipe.
        Handle probe(CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe.valid())
            return Failed(GetLastError());
        if (GetFileType(probe.get()) != FILE_TYPE_DISK) {
            FileWriteResult r;
            r.error = kNotRegularFile;
            return r;
        }
        BY_HANDLE_FILE_INFORMATION info{};
        if (GetFileInformationByHandle(probe.get(), &info))
            links = info.nNumberOfLinks;
    }
    // A link to the file, or another name a hard link gives it, must keep seeing the new bytes.
    if (exists && (links != 1 || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)))
        return WriteInPlace(target, bytes, fault);

    std::wstring temp;
    Handle h(CreateTemporary(FolderOf(target), temp));
    if (!h.valid()) {
        const DWORD err = GetLastError();
        // A file we may write in a folder we may not add to: write it where it is.
        if (exists && err == ERROR_ACCESS_DENIED)
            return WriteInPlace(target, bytes, fault);
        return Failed(err);
    }
    const auto fail = [&](DWORD err) {
        h.Close();
        DeleteFileW(temp.c_str());
        return Failed(err);
    };
    if (const DWORD err = WriteAll(h.get(), bytes, fault))
        return fail(err);
    if (!FlushFileBuffers(h.get()))
        return fail(GetLastError());
    if (!h.Close()) {
        const DWORD err = GetLastError();
        DeleteFileW(temp.c_str());
        return Failed(err);
    }
    if (fault.failRename || !MoveFileExW(temp.c_str(), target.c_str(),
                                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD err = fault.failRename ? ERROR_WRITE_FAULT : GetLastError();
        DeleteFileW(temp.c_str());
        return Failed(err);
    }
    FileWriteResult r;
    r.ok = true;
    return r;
}

std::string MissingFileText() {
    return Reason(ERROR_FILE_NOT_FOUND);
}

std::string DiskFullText() {
    return Reason(ERROR_DISK_FULL);
}

} // namespace korv
