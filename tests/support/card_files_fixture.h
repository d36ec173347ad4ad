// Registers and files the card-file tests share.
#pragma once

#include "core/card_register.h"

#include <string>
#include <vector>

namespace korv::test {

// The register of the format's worked example.
inline TTablica WorkedExampleRegister() {
    TTablica t;
    t.Cell(1, 5).wybierany = "105";
    t.AddCard(1, 5, {"1234567", false, "Garage"});
    t.AddCard(1, 5, {"7654321", false, ""});
    t.Cell(2, 0).wybierany = "9";
    t.AddCard(3, 12, {"42", true, "Door A"});
    return t;
}

inline const std::string kWorkedExampleFile = "RUF-KARTYv9\r\n"
                                              "\r\n"
                                              "[STREFA1]\r\n"
                                              "5=105\r\n"
                                              "\r\n"
                                              "[STREFA2]\r\n"
                                              "0=9\r\n"
                                              "\r\n"
                                              "[STREFA3]\r\n"
                                              "\r\n"
                                              "[STREFA4]\r\n"
                                              "\r\n"
                                              "[KARTY]\r\n"
                                              "1;5;1234567;0;Garage=\r\n"
                                              "1;5;7654321;0;=\r\n"
                                              "3;12;42;1;Door A=\r\n";

// A current-format file holding the given card lines and nothing else.
inline std::string Version9File(const std::vector<std::string>& cardLines) {
    std::string s = "RUF-KARTYv9\r\n\r\n[KARTY]\r\n";
    for (const auto& l : cardLines)
        s += l + "\r\n";
    return s;
}

// A one-zone file: lines for apartments 0.. as given, then filler lines after line 257 (never
// read) until the file has exactly `size` bytes.
inline std::string Version2File(const std::vector<std::string>& lines, size_t size) {
    std::string s = "RUF-KARTYv2\r\n";
    for (int k = 0; k < 256; ++k) {
        s += k < static_cast<int>(lines.size()) ? lines[k] : std::string();
        s += "\r\n";
    }
    if (s.size() < size)
        s += std::string(size - s.size(), '9');
    return s;
}

// count distinct cards numbered from `first`, spread over zone/apartment cells.
inline void FillRegister(TTablica& t, int count, long long first = 1000000) {
    for (int k = 0; k < count; ++k)
        t.AddCard(1 + (k / 256) % 4, k % 256, {std::to_string(first + k), false, ""});
}

// A full register whose card file just passes the 1,000,000 bytes every reader accepts.
inline TTablica OverSizeRegister() {
    TTablica t;
    for (int k = 0; k < 6144; ++k)
        t.AddCard(1 + (k / 256) % 4, k % 256,
                  {std::to_string(100000000 + k), false, std::string(150, 'd')});
    return t;
}

} // namespace korv::test
