#include "support/fake_d2xx.h"

#include <algorithm>
#include <utility>

namespace korv::test {

using namespace korv::link;

// The library's entry points are plain functions: they reach the fake through the one that is
// active.
struct FakeD2xxEntries {
    static inline FakeD2xx* active = nullptr;
    static inline int handleToken = 0;

    static FT_STATUS Status(const char* name) {
        return !active->cablePresent || active->Fails(name) ? FT_IO_ERROR : FT_OK;
    }

    static FT_STATUS OpenEx(void* arg, DWORD flags, FT_HANDLE* h) {
        active->calls.push_back("FT_OpenEx " + std::string(static_cast<const char*>(arg)) + " " +
                                std::to_string(flags));
        if (!active->cablePresent)
            return FT_DEVICE_NOT_FOUND;
        if (active->heldElsewhere)
            return FT_DEVICE_NOT_OPENED;
        if (FT_STATUS s = Status("FT_OpenEx"))
            return s;
        *h = &handleToken;
        active->open = true;
        ++active->opens;
        return FT_OK;
    }

    // Letting go of a pulled cable succeeds: the handle is freed all the same.
    static FT_STATUS Close(FT_HANDLE) {
        active->calls.push_back("FT_Close");
        if (active->Fails("FT_Close"))
            return FT_IO_ERROR;
        active->open = false;
        ++active->closes;
        return FT_OK;
    }

    // Returns when the bytes asked for are there or the read time-out ran out, as the library
    // does.
    static FT_STATUS Read(FT_HANDLE, void* buf, DWORD n, DWORD* got) {
        FakeD2xx& f = *active;
        f.calls.push_back("FT_Read " + std::to_string(n));
        const std::uint64_t now = f.clock_->TickMs();
        FakeD2xx::Read record{n, {}, now};
        if (FT_STATUS s = Status("FT_Read")) {
            f.reads.push_back(std::move(record));
            return s;
        }
        const std::uint64_t deadline = now + f.readTimeoutMs;
        auto* out = static_cast<std::uint8_t*>(buf);
        std::uint64_t last = now;
        while (record.got.size() < n && !f.line_.empty() && f.line_.front().at <= deadline) {
            last = std::max(last, f.line_.front().at);
            out[record.got.size()] = f.line_.front().byte;
            record.got.push_back(f.line_.front().byte);
            f.line_.pop_front();
        }
        f.clock_->Advance((record.got.size() == n ? last : deadline) - now);
        *got = static_cast<DWORD>(record.got.size());
        f.reads.push_back(std::move(record));
        return FT_OK;
    }

    static FT_STATUS Write(FT_HANDLE, void* buf, DWORD n, DWORD* written) {
        FakeD2xx& f = *active;
        f.calls.push_back("FT_Write " + std::to_string(n));
        if (FT_STATUS s = Status("FT_Write"))
            return s;
        const auto* in = static_cast<const std::uint8_t*>(buf);
        f.written.emplace_back(in, in + n);
        f.writtenAt.push_back(f.clock_->TickMs());
        if (f.answer) {
            f.answer(f);
        } else if (!f.replies.empty()) {
            f.Send(f.replies.front());
            f.replies.pop_front();
        }
        if (!f.cablePresent)
            return FT_IO_ERROR;
        *written = n - std::min(n, f.writeShortBy);
        return FT_OK;
    }

    static FT_STATUS SetBaudRate(FT_HANDLE, DWORD baud) {
        active->calls.push_back("FT_SetBaudRate " + std::to_string(baud));
        return Status("FT_SetBaudRate");
    }

    static FT_STATUS SetTimeouts(FT_HANDLE, DWORD r, DWORD w) {
        active->calls.push_back("FT_SetTimeouts " + std::to_string(r) + " " + std::to_string(w));
        if (FT_STATUS s = Status("FT_SetTimeouts"))
            return s;
        active->readTimeoutMs = r;
        return FT_OK;
    }

    static FT_STATUS ResetDevice(FT_HANDLE) {
        active->calls.push_back("FT_ResetDevice");
        return Status("FT_ResetDevice");
    }

    // Drops what has arrived; what is still on its way comes in later.
    static FT_STATUS Purge(FT_HANDLE, DWORD mask) {
        FakeD2xx& f = *active;
        f.calls.push_back("FT_Purge " + std::to_string(mask));
        if (FT_STATUS s = Status("FT_Purge"))
            return s;
        if (mask & FT_PURGE_RX)
            while (!f.line_.empty() && f.line_.front().at <= f.clock_->TickMs())
                f.line_.pop_front();
        return FT_OK;
    }

    static FT_STATUS SetRts(FT_HANDLE) {
        active->calls.push_back("FT_SetRts");
        return Status("FT_SetRts");
    }

    static FT_STATUS ClrRts(FT_HANDLE) {
        active->calls.push_back("FT_ClrRts");
        return Status("FT_ClrRts");
    }
};

void FakeD2xx::Install(link::VirtualClock& clock) {
    clock_ = &clock;
    FakeD2xxEntries::active = this;
}

void FakeD2xx::Send(const Bytes& reply, std::uint64_t delayMs) {
    std::uint64_t at = clock_->TickMs() + delayMs;
    // The line carries one byte after another: a reply never overtakes one still coming.
    if (!line_.empty() && line_.back().at + byteGapMs > at)
        at = line_.back().at + byteGapMs;
    for (std::uint8_t b : reply) {
        line_.push_back({at, b});
        at += byteGapMs;
    }
}

bool FakeD2xx::Fails(const char* name) const {
    return std::find(failing.begin(), failing.end(), name) != failing.end();
}

std::size_t FakeD2xx::Count(const std::string& prefix) const {
    return static_cast<std::size_t>(std::count_if(
        calls.begin(), calls.end(), [&](const auto& c) { return c.rfind(prefix, 0) == 0; }));
}

link::CableDriver FakeD2xx::Driver() const {
    link::CableDriver d;
    d.table.FT_OpenEx = FakeD2xxEntries::OpenEx;
    d.table.FT_Close = FakeD2xxEntries::Close;
    d.table.FT_Read = FakeD2xxEntries::Read;
    d.table.FT_Write = FakeD2xxEntries::Write;
    d.table.FT_SetBaudRate = FakeD2xxEntries::SetBaudRate;
    d.table.FT_SetTimeouts = FakeD2xxEntries::SetTimeouts;
    d.table.FT_ResetDevice = FakeD2xxEntries::ResetDevice;
    d.table.FT_Purge = FakeD2xxEntries::Purge;
    d.table.FT_SetRts = FakeD2xxEntries::SetRts;
    d.table.FT_ClrRts = FakeD2xxEntries::ClrRts;
    d.name = "fake";
    return d;
}

} // namespace korv::test
