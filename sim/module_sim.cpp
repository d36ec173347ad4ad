#include "sim/module_sim.h"

#include <algorithm>

namespace korv::sim {

std::uint8_t CheckByte(const std::uint8_t* bytes, std::size_t count) {
    unsigned sum = 1;
    for (std::size_t i = 0; i < count; ++i)
        sum += bytes[i];
    return static_cast<std::uint8_t>(sum);
}

namespace {

// How long a request is, from its first byte; 0 when no request begins with it.
std::size_t FrameLength(std::uint8_t first) {
    switch (first) {
    case 'A':
    case 'D':
    case 'C':
    case 'F':
    case 'G':
    case 'H':
        return 3;
    case 'B':
    case 'E':
        return 3 + kPageBytes;
    default:
        return 0;
    }
}

bool IsLegacy(const std::string& kind) {
    return kind == "J" || kind == "j" || kind == "I" || kind == "i";
}

void AppendCheck(std::vector<std::uint8_t>& reply) {
    reply.push_back(CheckByte(reply.data(), reply.size()));
}

} // namespace

ModuleSim::ModuleSim(ModuleSetup setup) : setup_(std::move(setup)) {
    memory_.fill(0xFF);
    memory_[60] = 0;
    memory_[61] = 0;
}

std::optional<Exchange> ModuleSim::Receive(std::uint8_t byte) {
    if (pending_.empty() && FrameLength(byte) == 0) {
        Exchange stray;
        stray.frame = {byte};
        return stray;
    }
    pending_.push_back(byte);
    if (pending_.size() < FrameLength(pending_[0]))
        return std::nullopt;
    Exchange ex;
    ex.frame.swap(pending_);
    // A request whose check byte is wrong is not a request: the module keeps quiet.
    if (ex.frame.back() == CheckByte(ex.frame.data(), ex.frame.size() - 1))
        Answer(ex);
    return ex;
}

std::optional<Fault> ModuleSim::TakeFault(Request request, int page) {
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (it->request != request || (it->page >= 0 && it->page != page))
            continue;
        Fault fault = *it;
        if (it->times > 0 && --it->times == 0)
            faults_.erase(it);
        return fault;
    }
    return std::nullopt;
}

void ModuleSim::AnswerMemory(Exchange& ex, int& page) {
    const auto& f = ex.frame;
    const std::uint8_t cmd = f[0];
    switch (cmd) {
    case 'A':
    case 'D': {
        ex.request = Request::ReadPage;
        page = f[1] + (cmd == 'D' ? 256 : 0);
        const std::uint8_t* p = Page(page);
        ex.reply.assign(p, p + kPageBytes);
        AppendCheck(ex.reply);
        break;
    }
    case 'B':
    case 'E': {
        ex.request = Request::WritePage;
        page = f[1] + (cmd == 'E' ? 256 : 0);
        ex.reply = {cmd, 1};
        AppendCheck(ex.reply);
        break;
    }
    case 'C':
        if (f[1] == 0x13) {
            ex.request = Request::Count;
            ex.reply = {memory_[60], memory_[61]};
            AppendCheck(ex.reply);
        } else if (f[1] == 0x14) {
            ex.request = Request::Reset;
            ex.reply = {'C', 1, 'E'};
            ex.processingMs = setup_.resetMs;
        }
        break;
    case 'G':
        if (f[1] != 0)
            break;
        ex.request = Request::Card;
        ex.extraMs = setup_.cardDelayMs;
        if (!cards_.empty()) {
            const std::uint32_t n = cards_.front();
            cards_.pop_front();
            ex.reply = {'G', static_cast<std::uint8_t>(n >> 24), static_cast<std::uint8_t>(n >> 16),
                        static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n)};
            AppendCheck(ex.reply);
        } else if (setup_.emptyCardShortReply) {
            ex.reply = {'G', 0};
            AppendCheck(ex.reply);
        }
        break;
    default:
        break;
    }
}

void ModuleSim::Answer(Exchange& ex) {
    const auto& f = ex.frame;
    const std::string& kind = setup_.kind;
    const bool current = kind == "F" || kind == "M";
    int page = -1;

    if (f[0] == 'F' && f[1] == 0) {
        ex.request = Request::Identify;
        if (current) {
            ex.reply = {static_cast<std::uint8_t>(kind[0]), 0x07};
            AppendCheck(ex.reply);
        } else if (kind == "RUF") {
            ex.reply = {'R', 'U', 'F'};
            const std::string extra = setup_.rufExtra.substr(0, 8);
            ex.reply.insert(ex.reply.end(), extra.begin(), extra.end());
        }
    } else if (f[0] == 'H' && f[1] == 0) {
        ex.request = Request::LegacyIdentify;
        if (IsLegacy(kind))
            ex.reply = {static_cast<std::uint8_t>(kind[0])};
        else if (kind == "RUF" && setup_.rufLegacy != 0)
            ex.reply = {setup_.rufLegacy};
    } else if (current) {
        AnswerMemory(ex, page);
    }
    if (ex.request == Request::Other)
        return;
    if (ex.request != Request::Reset)
        ex.processingMs = setup_.processingMs;

    const std::optional<Fault> fault = TakeFault(ex.request, page);
    const bool refused = fault && fault->type == FaultType::Status &&
                         (ex.request == Request::WritePage || ex.request == Request::Reset);
    if (refused) {
        ex.reply[1] = 0;
        if (ex.request == Request::WritePage)
            ex.reply[2] = CheckByte(ex.reply.data(), 2);
        else
            ex.reply[2] = 'D';
    } else if (ex.request == Request::WritePage) {
        std::copy(f.begin() + 2, f.begin() + 2 + kPageBytes, Page(page));
        if (onMemoryChanged)
            onMemoryChanged();
    } else if (ex.request == Request::Reset) {
        memory_.fill(0xFF);
        if (onMemoryChanged)
            onMemoryChanged();
    }
    if (!fault || ex.reply.empty())
        return;
    switch (fault->type) {
    case FaultType::Silent:
        ex.reply.clear();
        break;
    case FaultType::Short: {
        const std::size_t keep = fault->arg ? fault->arg : ex.reply.size() - 1;
        ex.reply.resize(std::min(keep, ex.reply.size()));
        break;
    }
    case FaultType::BadCheck:
        ex.reply.back() = static_cast<std::uint8_t>(ex.reply.back() + 1);
        break;
    case FaultType::Slow:
        ex.extraMs += fault->arg;
        break;
    case FaultType::Status:
        break;
    }
}

} // namespace korv::sim
