// One line per frame on the cable: the time in ms, '>' for a request or '<' for a reply, then
// the bytes as upper-case hex pairs ("12 > 41 FF 41"). Kept in memory and, when a file is
// named, appended to it, so that a row of processes leaves one trace.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace korv::sim {

std::string TraceLine(std::uint64_t ms, char direction, const std::uint8_t* bytes,
                      std::size_t count);

class FrameTrace {
public:
    FrameTrace() = default;
    explicit FrameTrace(const std::string& path);
    ~FrameTrace();
    FrameTrace(const FrameTrace&) = delete;
    FrameTrace& operator=(const FrameTrace&) = delete;

    void Record(std::uint64_t ms, char direction, const std::uint8_t* bytes, std::size_t count);
    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::FILE* file_ = nullptr;
    std::vector<std::string> lines_;
};

} // namespace korv::sim
