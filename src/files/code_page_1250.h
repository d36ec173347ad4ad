// Card files are exchanged with Windows machines set to the Central European code page, so
// their text is Windows-1250 on disk and UTF-8 everywhere inside the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korv {

// Every byte maps to one character; the five bytes the code page leaves undefined come back
// as the control characters of the same code, so reading and writing loses nothing.
std::string DecodeWindows1250(std::string_view bytes);

// A character the code page cannot hold, or a byte that is not valid UTF-8, becomes "?".
std::string EncodeWindows1250(std::string_view utf8);

// The characters of utf8 that EncodeWindows1250 would turn into "?", each as its UTF-8 text,
// in the order they come (repeats included); a byte that is not valid UTF-8 comes as U+FFFD.
std::vector<std::string> CharactersOutsideWindows1250(std::string_view utf8);

} // namespace korv
