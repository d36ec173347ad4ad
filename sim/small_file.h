// Reading the simulator's own small files (configuration, memory image) without trusting the
// name: a folder, a device such as /dev/zero or a FIFO would otherwise throw, read forever or
// block, inside a library the program loaded as its cable driver.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace korv::sim {

// The simulator's files are small; anything larger is a wrong name.
inline constexpr std::size_t kSmallFileLimit = 1 << 20;

// The whole file, or empty with the reason in error (not a regular file, larger than limit,
// or the system's own message).
std::optional<std::string> ReadSmallRegularFile(const std::string& path, std::string& error,
                                                std::size_t limit = kSmallFileLimit);

} // namespace korv::sim
