// A D2XX table whose module answers from fuzz input, on the virtual clock. Every request written
// takes the next reply chunk; a chunk's bytes arrive on the line at times of their own, so a
// reply can come whole, cut short, straddling the read time-out, or long after the request that
// asked for it (and then be read as the answer to a later one). Everything the port wrote and
// read is recorded, so a target can check what KORV concluded against what it was told.
//
// Reply chunk: [length] [flags] [bytes...]
//   length  0..254 bytes on the line (0: the module stays silent)
//   flags   bit 7: the chunk's last byte is made the check byte of the bytes before it, so the
//           fuzzer reaches whole replies without learning the sum; bits 0..6 (c): the first
//           byte arrives 2*c*c ms after the request (0 ms to 32 s)
//   FF FF   the cable is pulled: every call fails from here on, and it does not open again
//   FF FE   another program takes the cable as soon as this one lets go: opens are refused
// Input that ends inside a chunk cuts the reply there; input that has ended answers nothing.
#pragma once

#include "link/cable_driver.h"
#include "link/clock.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string_view>
#include <utility>
#include <vector>

namespace korv::fuzz {

using Bytes = std::vector<std::uint8_t>;

class FuzzCable {
public:
    struct Read {
        std::uint32_t asked = 0;
        Bytes got;
    };

    FuzzCable(link::VirtualClock& clock, std::string_view input, std::uint32_t byteGapMs)
        : clock_(clock), input_(input), byteGapMs_(byteGapMs) {}

    // The table over this cable; one cable is active at a time.
    link::CableDriver Driver() {
        active_ = this;
        link::CableDriver d;
        d.table.FT_OpenEx = OpenEx;
        d.table.FT_Close = Close;
        d.table.FT_Read = ReadEntry;
        d.table.FT_Write = WriteEntry;
        d.table.FT_SetBaudRate = Ok1;
        d.table.FT_SetTimeouts = SetTimeouts;
        d.table.FT_ResetDevice = Ok0;
        d.table.FT_Purge = Purge;
        d.table.FT_SetRts = Ok0;
        d.table.FT_ClrRts = Ok0;
        d.name = "fuzz cable";
        return d;
    }

    // What happened, in order.
    std::vector<Bytes> written;
    std::vector<Read> reads;
    int opens = 0;
    int closes = 0;
    bool open = false;
    bool pulled = false;
    bool heldElsewhere = false;

private:
    struct Timed {
        std::uint64_t at;
        std::uint8_t byte;
    };

    static inline FuzzCable* active_ = nullptr;
    static inline int handleToken_ = 0;

    std::uint8_t Next() {
        const auto b = static_cast<std::uint8_t>(input_.front());
        input_.remove_prefix(1);
        return b;
    }

    void Answer() {
        if (input_.size() < 2) {
            input_ = {};
            return;
        }
        const std::uint8_t length = Next();
        const std::uint8_t flags = Next();
        if (length == 0xFF && flags >= 0xFE) {
            (flags == 0xFF ? pulled : heldElsewhere) = true;
            return;
        }
        const bool withCheck = (flags & 0x80) != 0 && length > 0;
        const std::uint64_t code = flags & 0x7F;
        Bytes reply;
        const std::size_t body = withCheck ? length - 1u : length;
        while (reply.size() < body && !input_.empty())
            reply.push_back(Next());
        if (withCheck && reply.size() == body) {
            unsigned sum = 1;
            for (std::uint8_t b : reply)
                sum += b;
            reply.push_back(static_cast<std::uint8_t>(sum));
        }
        // The line carries one byte after another: a reply never overtakes one still coming.
        std::uint64_t at = clock_.TickMs() + 2 * code * code;
        if (!line_.empty() && line_.back().at + byteGapMs_ > at)
            at = line_.back().at + byteGapMs_;
        for (std::uint8_t b : reply) {
            line_.push_back({at, b});
            at += byteGapMs_;
        }
    }

    static link::FT_STATUS OpenEx(void*, link::DWORD, link::FT_HANDLE* h) {
        if (active_->pulled)
            return link::FT_DEVICE_NOT_FOUND;
        if (active_->heldElsewhere)
            return link::FT_DEVICE_NOT_OPENED;
        *h = &handleToken_;
        active_->open = true;
        ++active_->opens;
        return link::FT_OK;
    }

    static link::FT_STATUS Close(link::FT_HANDLE) {
        active_->open = false;
        ++active_->closes;
        return link::FT_OK;
    }

    // Returns when the bytes asked for are there or the read time-out ran out, as the
    // library does; the time spent waiting passes on the virtual clock.
    static link::FT_STATUS ReadEntry(link::FT_HANDLE, void* buf, link::DWORD n, link::DWORD* got) {
        FuzzCable& c = *active_;
        if (c.pulled)
            return link::FT_IO_ERROR;
        const std::uint64_t now = c.clock_.TickMs();
        const std::uint64_t deadline = now + c.readTimeoutMs_;
        auto* out = static_cast<std::uint8_t*>(buf);
        Read record{n, {}};
        std::uint64_t last = now;
        while (record.got.size() < n && !c.line_.empty() && c.line_.front().at <= deadline) {
            last = std::max(last, c.line_.front().at);
            out[record.got.size()] = c.line_.front().byte;
            record.got.push_back(c.line_.front().byte);
            c.line_.pop_front();
        }
        c.clock_.Advance((record.got.size() == n ? last : deadline) - now);
        *got = static_cast<link::DWORD>(record.got.size());
        c.reads.push_back(std::move(record));
        return link::FT_OK;
    }

    static link::FT_STATUS WriteEntry(link::FT_HANDLE, void* buf, link::DWORD n,
                                      link::DWORD* written) {
        FuzzCable& c = *active_;
        if (c.pulled)
            return link::FT_IO_ERROR;
        const auto* in = static_cast<const std::uint8_t*>(buf);
        c.written.emplace_back(in, in + n);
        c.Answer();
        if (c.pulled)
            return link::FT_IO_ERROR;
        *written = n;
        return link::FT_OK;
    }

    static link::FT_STATUS SetTimeouts(link::FT_HANDLE, link::DWORD readMs, link::DWORD) {
        if (active_->pulled)
            return link::FT_IO_ERROR;
        active_->readTimeoutMs_ = readMs;
        return link::FT_OK;
    }

    // Drops what has arrived; what is still on its way comes in later.
    static link::FT_STATUS Purge(link::FT_HANDLE, link::DWORD mask) {
        FuzzCable& c = *active_;
        if (c.pulled)
            return link::FT_IO_ERROR;
        if (mask & link::FT_PURGE_RX)
            while (!c.line_.empty() && c.line_.front().at <= c.clock_.TickMs())
                c.line_.pop_front();
        return link::FT_OK;
    }

    static link::FT_STATUS Ok0(link::FT_HANDLE) {
        return active_->pulled ? link::FT_IO_ERROR : link::FT_OK;
    }
    static link::FT_STATUS Ok1(link::FT_HANDLE, link::DWORD) {
        return active_->pulled ? link::FT_IO_ERROR : link::FT_OK;
    }

    link::VirtualClock& clock_;
    std::string_view input_;
    std::uint32_t byteGapMs_;
    std::uint32_t readTimeoutMs_ = 0;
    std::deque<Timed> line_;
};

} // namespace korv::fuzz
