// Line reading that takes every byte as one character, as the readers of line 1 and of
// one-zone files need: only a CR ends a line, and the byte after it is taken to be its LF.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korv {

// Reads the line starting at data[pos] and moves pos past it. At the end of the data the
// line is empty. A line that runs to the end without a CR ends there.
std::string ReadByteLine(std::string_view data, std::size_t& pos);

} // namespace korv
