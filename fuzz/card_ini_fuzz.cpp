// The INI reading of card files on arbitrary text: keys and values come back trimmed and
// without line ends, and every section's entries in file order.
#include "files/card_ini.h"
#include "register_checks.h"

#include <cstdint>
#include <string_view>

using namespace korv;
using korv::fuzz::Require;

namespace {
bool Trimmed(std::string_view s) {
    return s.empty() || (static_cast<unsigned char>(s.front()) > ' ' &&
                         static_cast<unsigned char>(s.back()) > ' ');
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CardIni ini = CardIni::Parse(std::string(text));
    int lines = 1;
    for (const char c : text)
        lines += c == '\n' || c == '\r';
    for (const std::string& name : ini.SectionNames()) {
        Require(name.find_first_of("\r\n]") == std::string::npos, "section name");
        int last = 0;
        for (const CardIniEntry* e : ini.Entries(name)) {
            Require(e->line > last && e->line <= lines, "entries out of file order");
            last = e->line;
            Require(Trimmed(e->key) && Trimmed(e->value), "blanks left around key or value");
            Require(e->key.find_first_of("\r\n") == std::string::npos &&
                        e->value.find_first_of("\r\n") == std::string::npos,
                    "line end inside an entry");
            Require(!e->hasEquals || e->key.find('=') == std::string::npos,
                    "key runs past its first =");
            Require(e->hasEquals || e->value.empty(), "value without =");
        }
    }
    return 0;
}
