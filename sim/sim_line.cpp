#include "sim/sim_line.h"

#include <algorithm>

namespace korv::sim {

SimLine::SimLine(ModuleSim& module, SimClock& clock, bool wireModel, std::uint32_t baud)
    : module_(module), clock_(clock), wire_(wireModel), baud_(baud), hostBaud_(baud) {}

std::uint64_t SimLine::ByteTimeUs(std::uint64_t bytes) const {
    if (!wire_)
        return 0;
    // 10 bit times a byte: start bit, 8 data bits, stop bit; rounded up to whole microseconds.
    return (bytes * 10 * 1000000 + baud_ - 1) / baud_;
}

std::uint32_t SimLine::Write(const std::uint8_t* data, std::uint32_t count) {
    const std::uint64_t now = clock_.NowUs();
    const std::uint64_t start = std::max(now, hostSendsUntilUs_);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t at = start + ByteTimeUs(i + 1);
        hostSendsUntilUs_ = at;
        if (hostBaud_ != baud_)
            continue;
        if (auto ex = module_.Receive(data[i]))
            Deliver(*ex, at);
    }
    return count;
}

void SimLine::Deliver(const Exchange& ex, std::uint64_t receivedUs) {
    if (trace_)
        trace_->Record(receivedUs / 1000, '>', ex.frame.data(), ex.frame.size());
    if (ex.reply.empty())
        return;
    std::uint64_t start = receivedUs + std::uint64_t{ex.extraMs} * 1000;
    if (wire_)
        start += std::uint64_t{ex.processingMs} * 1000;
    start = std::max(start, moduleSendsUntilUs_);
    if (trace_)
        trace_->Record(start / 1000, '<', ex.reply.data(), ex.reply.size());
    for (std::size_t i = 0; i < ex.reply.size(); ++i)
        incoming_.push_back({ex.reply[i], start + ByteTimeUs(i + 1)});
    moduleSendsUntilUs_ = incoming_.back().atUs;
}

std::uint32_t SimLine::Read(std::uint8_t* data, std::uint32_t count, std::uint32_t timeoutMs) {
    const std::uint64_t now = clock_.NowUs();
    const std::uint64_t deadline = timeoutMs ? now + std::uint64_t{timeoutMs} * 1000 : UINT64_MAX;
    if (count == 0)
        return 0;
    if (incoming_.size() >= count && incoming_[count - 1].atUs <= deadline) {
        clock_.WaitUntilUs(incoming_[count - 1].atUs);
    } else {
        const bool onTheWay = !incoming_.empty() && incoming_.back().atUs > now;
        if ((wire_ || onTheWay) && deadline != UINT64_MAX)
            clock_.WaitUntilUs(deadline);
        else if (onTheWay)
            clock_.WaitUntilUs(incoming_.back().atUs);
    }
    const std::uint64_t then = clock_.NowUs();
    std::uint32_t n = 0;
    while (n < count && !incoming_.empty() && incoming_.front().atUs <= then) {
        data[n++] = incoming_.front().value;
        incoming_.pop_front();
    }
    return n;
}

std::size_t SimLine::BytesArrived() {
    const std::uint64_t now = clock_.NowUs();
    return static_cast<std::size_t>(std::count_if(incoming_.begin(), incoming_.end(),
                                                  [&](const InByte& b) { return b.atUs <= now; }));
}

void SimLine::PurgeReceived() {
    const std::uint64_t now = clock_.NowUs();
    while (!incoming_.empty() && incoming_.front().atUs <= now)
        incoming_.pop_front();
}

void SimLine::Reset() {
    incoming_.clear();
    module_.ResetReceiver();
    hostBaud_ = baud_;
}

} // namespace korv::sim
