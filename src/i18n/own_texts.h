// Texts the program says that the message catalogue has no slot for. The catalogue's 231
// slots stay as they are; these come in Polish and English, and every other language gets
// the English text.
#pragma once

#include <cstdint>
#include <string>

namespace korv {

enum class OwnTextName {
    CardFileTooLarge,       // a save refused because readers refuse files above the limit
    VersionPageUnavailable, // the version panel could not get its page
};

// The text in the language (0..5).
std::string OwnText(OwnTextName name, int language);

// "The cards would make a file of N bytes ...", in the language.
std::string CardFileTooLargeText(std::uint64_t size, int language);

} // namespace korv
