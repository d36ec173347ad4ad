#include "files/byte_line.h"

namespace korv {

std::string ReadByteLine(std::string_view data, std::size_t& pos) {
    if (pos >= data.size())
        return {};
    const size_t cr = data.find('\r', pos);
    if (cr == std::string_view::npos) {
        std::string line(data.substr(pos));
        pos = data.size();
        return line;
    }
    std::string line(data.substr(pos, cr - pos));
    // The byte after the CR is consumed unread, whatever it is.
    pos = cr + 2 < data.size() ? cr + 2 : data.size();
    return line;
}

} // namespace korv
