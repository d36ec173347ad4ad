#include "sim/sim_config.h"

#include "core/ini_document.h"
#include "sim/small_file.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace korv::sim {

namespace {

// Page 1 of a ZADA module: bytes 60..63 hold ELOCK time, ELOCK type, sounds (0 on), FF.
constexpr int kZadaTrailerOffset = 60;
constexpr std::uint8_t kFactoryElockSeconds = 4;
constexpr std::uint8_t kFactoryElockType = 0; // electric lock
constexpr std::uint8_t kFactorySoundsOn = 0;

bool ParseNumber(std::string_view text, std::uint32_t& value) {
    const auto* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && p == end && !text.empty();
}

std::vector<std::string> Split(std::string_view text, char sep) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == sep) {
            parts.push_back(TrimBlanks(part));
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(TrimBlanks(part));
    return parts;
}

std::optional<Request> ParseRequest(std::string_view name) {
    if (name == "identify")
        return Request::Identify;
    if (name == "legacy")
        return Request::LegacyIdentify;
    if (name == "read")
        return Request::ReadPage;
    if (name == "write")
        return Request::WritePage;
    if (name == "count")
        return Request::Count;
    if (name == "reset")
        return Request::Reset;
    if (name == "card")
        return Request::Card;
    return std::nullopt;
}

std::optional<FaultType> ParseFaultType(std::string_view name) {
    if (name == "silent")
        return FaultType::Silent;
    if (name == "short")
        return FaultType::Short;
    if (name == "badcheck")
        return FaultType::BadCheck;
    if (name == "status")
        return FaultType::Status;
    if (name == "slow")
        return FaultType::Slow;
    return std::nullopt;
}

bool ParseFault(const std::string& key, const std::string& value, Fault& fault) {
    const auto dot = key.find('.');
    const auto request = ParseRequest(key.substr(0, dot));
    if (!request)
        return false;
    fault.request = *request;
    if (dot != std::string::npos) {
        std::uint32_t page = 0;
        if (*request != Request::ReadPage && *request != Request::WritePage)
            return false;
        if (!ParseNumber(key.substr(dot + 1), page) || page >= kPages)
            return false;
        fault.page = static_cast<int>(page);
    }
    std::istringstream words(value);
    std::string word;
    if (!(words >> word))
        return false;
    const auto type = ParseFaultType(word);
    if (!type)
        return false;
    fault.type = *type;
    while (words >> word) {
        std::uint32_t n = 0;
        if (word.size() > 1 && word[0] == 'x' && ParseNumber(std::string_view(word).substr(1), n) &&
            n > 0)
            fault.times = static_cast<int>(n);
        else if (ParseNumber(word, n))
            fault.arg = n;
        else
            return false;
    }
    return true;
}

bool ParseStoredCards(const std::string& text, std::vector<StoredCard>& cards) {
    cards.clear();
    if (text.empty())
        return true;
    for (const auto& entry : Split(text, ',')) {
        const auto fields = Split(entry, '/');
        std::uint32_t zone = 0, apartment = 0, number = 0;
        if (fields.size() != 3 || !ParseNumber(fields[0], zone) ||
            !ParseNumber(fields[1], apartment) || !ParseNumber(fields[2], number) || zone < 1 ||
            zone > 4 || apartment > 255 || number >= (1u << 28))
            return false;
        cards.push_back({static_cast<int>(zone), static_cast<int>(apartment), number});
    }
    return cards.size() <= static_cast<std::size_t>(kPages) * 12;
}

bool ValidPassword(const std::string& p) {
    return p == kErasedPassword ||
           (p.size() == 4 && p.find_first_not_of("0123456789") == std::string::npos);
}

bool ParseVersion(const std::string& text, std::uint32_t& version) {
    const auto parts = Split(text, '.');
    if (parts.empty() || parts.size() > 3)
        return false;
    std::uint32_t fields[3] = {0, 0, 0};
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (!ParseNumber(parts[i], fields[i]) || fields[i] > 255)
            return false;
    version = (fields[0] << 16) | (fields[1] << 8) | fields[2];
    return true;
}

} // namespace

std::optional<SimConfig> ParseSimConfig(std::string_view text, std::string& error) {
    const IniDocument ini = IniDocument::Parse(text);
    SimConfig c;
    for (const auto& [rawKey, value] : ini.Entries("module")) {
        const std::string key = TrimBlanks(rawKey);
        bool ok = true;
        std::uint32_t n = 0;
        if (key == "kind") {
            static const char* kinds[] = {"F", "M", "RUF", "J", "j", "I", "i", "silent", "none"};
            ok = false;
            for (const char* k : kinds)
                ok = ok || value == k;
            c.cablePresent = value != "none";
            c.module.kind = value == "none" ? "silent" : value;
        } else if (key == "password") {
            ok = ValidPassword(value);
            c.password = value;
        } else if (key == "image_cards") {
            ok = ParseStoredCards(value, c.imageCards);
        } else if (key == "memory") {
            c.memoryPath = value;
        } else if (key == "cards") {
            c.cards.clear();
            if (!value.empty())
                for (const auto& part : Split(value, ',')) {
                    ok = ok && ParseNumber(part, n);
                    c.cards.push_back(n);
                }
        } else if (key == "empty_card") {
            ok = value == "silent" || value == "short";
            c.module.emptyCardShortReply = value == "short";
        } else if (key == "card_delay") {
            ok = ParseNumber(value, c.module.cardDelayMs);
        } else if (key == "timing") {
            ok = value == "on" || value == "off";
            c.timing = value == "on";
        } else if (key == "delay") {
            ok = ParseNumber(value, c.module.processingMs);
        } else if (key == "reset_delay") {
            ok = ParseNumber(value, c.module.resetMs);
        } else if (key == "trace") {
            c.tracePath = value;
        } else if (key == "ruf_extra") {
            ok = value.size() <= 8;
            c.module.rufExtra = value;
        } else if (key == "ruf_legacy") {
            ok = value == "none" || value.size() == 1;
            c.module.rufLegacy = value == "none" ? 0 : static_cast<std::uint8_t>(value[0]);
        } else if (key == "version") {
            ok = ParseVersion(value, c.libraryVersion);
        } else {
            ok = false;
        }
        if (!ok) {
            error = "[module] " + key + "=" + value + ": not understood";
            return std::nullopt;
        }
    }
    for (const auto& [key, value] : ini.Entries("faults")) {
        Fault fault;
        if (!ParseFault(TrimBlanks(key), value, fault)) {
            error = "[faults] " + key + "=" + value + ": not understood";
            return std::nullopt;
        }
        c.faults.push_back(fault);
    }
    return c;
}

Memory NewMemoryImage(const std::string& password, std::vector<StoredCard> cards, bool zada) {
    Memory m;
    m.fill(0xFF);
    std::stable_sort(cards.begin(), cards.end(), [](const StoredCard& a, const StoredCard& b) {
        return a.zone != b.zone ? a.zone < b.zone : a.apartment < b.apartment;
    });
    for (std::size_t i = 0; i < cards.size(); ++i) {
        std::uint8_t* r = m.data() + (i / 12) * kPageBytes + (i % 12) * 5;
        const std::uint32_t n = cards[i].number;
        r[0] = static_cast<std::uint8_t>(n);
        r[1] = static_cast<std::uint8_t>(n >> 8);
        r[2] = static_cast<std::uint8_t>(n >> 16);
        r[3] = static_cast<std::uint8_t>(((n >> 24) & 0x0F) << 4 | cards[i].zone);
        r[4] = static_cast<std::uint8_t>(cards[i].apartment);
    }
    m[60] = static_cast<std::uint8_t>(cards.size() >> 8);
    m[61] = static_cast<std::uint8_t>(cards.size());
    auto digit = [&](std::size_t i) {
        return static_cast<std::uint8_t>(i < password.size() ? password[i] - '0' : 0);
    };
    // An erased module keeps FF FF there, which no four-digit password matches; it still
    // reads and writes pages for anyone, as the module checks no password itself.
    if (password != kErasedPassword) {
        m[62] = static_cast<std::uint8_t>(digit(0) << 4 | digit(1));
        m[63] = static_cast<std::uint8_t>(digit(2) << 4 | digit(3));
    }
    if (zada) {
        std::uint8_t* trailer = m.data() + kPageBytes + kZadaTrailerOffset;
        trailer[0] = kFactoryElockSeconds;
        trailer[1] = kFactoryElockType;
        trailer[2] = kFactorySoundsOn;
        trailer[3] = 0xFF;
    }
    return m;
}

Memory NewMemoryImage(const SimConfig& config) {
    return NewMemoryImage(config.password, config.imageCards, config.module.kind == "M");
}

bool LoadMemoryImage(const std::string& path, const Memory& fresh, Memory& memory,
                     std::string& error) {
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) {
        memory = fresh;
        if (SaveMemoryImage(path, memory))
            return true;
        error = "memory image " + path + ": cannot be written";
        return false;
    }
    std::string reason;
    const auto data = ReadSmallRegularFile(path, reason);
    if (!data) {
        error = "memory image " + path + ": " + reason;
        return false;
    }
    if (data->size() != memory.size()) {
        error = "memory image " + path + ": holds " + std::to_string(data->size()) +
                " bytes, not " + std::to_string(memory.size());
        return false;
    }
    std::copy(data->begin(), data->end(), memory.begin());
    return true;
}

bool SaveMemoryImage(const std::string& path, const Memory& memory) {
    // Written beside the image and renamed over it, so a reader never sees half a module.
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(memory.data()),
                  static_cast<std::streamsize>(memory.size()));
        if (!out.flush())
            return false;
    }
    // std::rename does not replace an existing file on Windows; this one does everywhere.
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    return !ec;
}

} // namespace korv::sim
