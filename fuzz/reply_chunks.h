// The module's answers drawn from fuzz input, for the fake D2XX table's answer hook: every
// request written takes the next reply chunk; a chunk's bytes go on the line at a time of its
// own, so a reply can come whole, cut short, straddling the read time-out, or long after the
// request that asked for it (and then be read as the answer to a later one).
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

#include "support/fake_d2xx.h"

#include <cstdint>
#include <string_view>

namespace korv::fuzz {

using test::Bytes;

class ReplyChunks {
public:
    explicit ReplyChunks(std::string_view input) : input_(input) {}

    void operator()(test::FakeD2xx& cable) {
        if (input_.size() < 2) {
            input_ = {};
            return;
        }
        const std::uint8_t length = Next();
        const std::uint8_t flags = Next();
        if (length == kControlChunk && flags >= kHeldElsewhere) {
            if (flags == kPulled)
                cable.cablePresent = false;
            else
                cable.heldElsewhere = true;
            return;
        }
        const bool withCheck = (flags & kWithCheck) != 0 && length > 0;
        const std::uint64_t code = flags & kDelayCode;
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
        cable.Send(reply, 2 * code * code);
    }

private:
    static constexpr std::uint8_t kControlChunk = 0xFF;
    static constexpr std::uint8_t kPulled = 0xFF;
    static constexpr std::uint8_t kHeldElsewhere = 0xFE;
    static constexpr std::uint8_t kWithCheck = 0x80;
    static constexpr std::uint8_t kDelayCode = 0x7F;

    std::uint8_t Next() {
        const auto b = static_cast<std::uint8_t>(input_.front());
        input_.remove_prefix(1);
        return b;
    }

    std::string_view input_;
};

} // namespace korv::fuzz
