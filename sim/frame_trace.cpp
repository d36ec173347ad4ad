#include "sim/frame_trace.h"

namespace korv::sim {

std::string TraceLine(std::uint64_t ms, char direction, const std::uint8_t* bytes,
                      std::size_t count) {
    static const char digits[] = "0123456789ABCDEF";
    std::string line = std::to_string(ms);
    line += ' ';
    line += direction;
    for (std::size_t i = 0; i < count; ++i) {
        line += ' ';
        line += digits[bytes[i] >> 4];
        line += digits[bytes[i] & 0x0F];
    }
    return line;
}

FrameTrace::FrameTrace(const std::string& path) {
    if (!path.empty())
        file_ = std::fopen(path.c_str(), "ab"); // the same bytes on every system
}

FrameTrace::~FrameTrace() {
    if (file_)
        std::fclose(file_);
}

void FrameTrace::Record(std::uint64_t ms, char direction, const std::uint8_t* bytes,
                        std::size_t count) {
    std::string line = TraceLine(ms, direction, bytes, count);
    if (file_) {
        std::fprintf(file_, "%s\n", line.c_str());
        std::fflush(file_);
    }
    lines_.push_back(std::move(line));
}

} // namespace korv::sim
