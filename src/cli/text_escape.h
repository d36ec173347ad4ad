#pragma once

#include <string>
#include <string_view>

namespace korv::cli {

// Text from a card file or a device made safe for one tab-separated line on a terminal: TAB,
// CR, LF and backslash become \t, \r, \n and \\; every other control character (C0, DEL and
// the C1 range U+0080..U+009F) and every byte that is not part of well-formed UTF-8 becomes
// \xHH, one per byte. Anything else passes unchanged, so a plain description reads as typed.
std::string EscapeText(std::string_view bytes);

} // namespace korv::cli
