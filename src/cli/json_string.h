#pragma once

#include <string>
#include <string_view>

namespace korv::cli {

// A JSON string literal of UTF-8 text: quotes, backslashes and control characters escaped,
// everything else (multi-byte characters included) passed through.
std::string JsonString(std::string_view utf8);

} // namespace korv::cli
