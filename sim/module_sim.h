// ModuleSim: the reader module's side of the cable protocol. It takes the bytes the host sends,
// one at a time, and answers each complete request the way the device does, with its memory
// of 512 pages, its card reader and the faults a test asks for. It knows nothing about time;
// the line (sim_line.h) puts its answers on the wire.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korv::sim {

inline constexpr int kPages = 512;
inline constexpr int kPageBytes = 64;
inline constexpr int kMemoryBytes = kPages * kPageBytes;
using Memory = std::array<std::uint8_t, kMemoryBytes>;

enum class Request { Identify, LegacyIdentify, ReadPage, WritePage, Count, Reset, Card, Other };

enum class FaultType {
    Silent,   // no reply
    Short,    // the reply cut to arg bytes (default: one byte short)
    BadCheck, // the last reply byte off by one
    Status,   // a page write or reset refused: status byte 00 (the memory stays)
    Slow      // the reply arg ms late
};

struct Fault {
    Request request = Request::ReadPage;
    int page = -1; // -1: any page
    FaultType type = FaultType::Silent;
    std::uint32_t arg = 0;
    int times = -1; // -1: every time
};

struct ModuleSetup {
    // F, M, RUF, J, j, I, i or silent ("none" is a missing cable, decided by the cable).
    std::string kind = "F";
    std::string rufExtra;             // what a RUF device sends after "RUF", up to 8 bytes
    std::uint8_t rufLegacy = 'J';     // a RUF device's answer to the legacy identify; 0 none
    bool emptyCardShortReply = false; // empty card queue: 'G' 00 48 instead of silence
    std::uint32_t processingMs = 1;   // the module's time per request (with the wire model)
    std::uint32_t resetMs = 8000;     // the memory reset's own time (with the wire model)
    std::uint32_t cardDelayMs = 0;    // a card is held to the reader this long after asking
};

// One complete request and what the module does about it.
struct Exchange {
    Request request = Request::Other;
    std::vector<std::uint8_t> frame; // the request as received
    std::vector<std::uint8_t> reply; // empty: no answer
    std::uint32_t processingMs = 0;  // counts only with the wire model
    std::uint32_t extraMs = 0;       // always counts (slow replies, the card's arrival)
};

class ModuleSim {
public:
    explicit ModuleSim(ModuleSetup setup = {});

    Memory& memory() { return memory_; }
    const Memory& memory() const { return memory_; }
    std::uint8_t* Page(int page) { return memory_.data() + page * kPageBytes; }

    void QueueCard(std::uint32_t number) { cards_.push_back(number); }
    std::size_t CardsLeft() const { return cards_.size(); }
    void AddFault(const Fault& fault) { faults_.push_back(fault); }

    bool Rts() const { return rts_; }
    void SetRts(bool on) { rts_ = on; }

    // One byte from the host; a request it completes comes back with the module's answer. A
    // byte that cannot begin a request comes back alone, unanswered.
    std::optional<Exchange> Receive(std::uint8_t byte);
    // Drops a half-received request (the device was reset).
    void ResetReceiver() { pending_.clear(); }

    // Called after a page write or a memory reset changed the memory.
    std::function<void()> onMemoryChanged;

    const ModuleSetup& setup() const { return setup_; }

private:
    void Answer(Exchange& ex);
    void AnswerMemory(Exchange& ex, int& page);
    std::optional<Fault> TakeFault(Request request, int page);

    ModuleSetup setup_;
    Memory memory_{};
    std::deque<std::uint32_t> cards_;
    std::vector<Fault> faults_;
    std::vector<std::uint8_t> pending_;
    bool rts_ = false;
};

// (sum of the bytes + 1) mod 256: the check byte that ends every frame.
std::uint8_t CheckByte(const std::uint8_t* bytes, std::size_t count);

} // namespace korv::sim
