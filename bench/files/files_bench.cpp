// Card-file timings: load and save of a full 6144-card register, load of a 1,000,000-byte file,
// and the merge of such a file into 6000 registered cards. Each figure is the median of
// several runs, from and to real files in the temporary folder.
#include "files/card_file_kind.h"
#include "files/card_file_v9.h"
#include "files/card_merge.h"
#include "files/file_bytes.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace korv;

namespace {

constexpr double kTargetMs = 50.0;
constexpr int kRuns = 15;

struct Figure {
    double median, worst;
};

Figure Measure(const std::function<void()>& f) {
    std::vector<double> ms;
    for (int k = 0; k < kRuns; ++k) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

bool Report(const char* what, const Figure& f) {
    const bool ok = f.median < kTargetMs;
    std::printf("%-52s median %7.2f ms  worst %7.2f ms  %s\n", what, f.median, f.worst,
                ok ? "ok" : "OVER 50 ms");
    return ok;
}

void Fill(TTablica& t, int count, long long first) {
    for (int k = 0; k < count; ++k)
        t.AddCard(1 + (k / 256) % 4, k % 256,
                  {std::to_string(first + k), k % 3 == 0, "Mieszkanie " + std::to_string(k)});
}

// A current-format file of exactly `size` bytes: as many card lines as fit, then padding
// inside the last description.
std::string MillionByteFile(std::size_t size, long long first) {
    std::string s = "RUF-KARTYv9\r\n\r\n[KARTY]\r\n";
    for (long long k = 0;; ++k) {
        const std::string line = std::to_string(1 + k % 4) + ";" + std::to_string(k % 256) + ";" +
                                 std::to_string(first + k) + ";0;Klatka B, lokal " +
                                 std::to_string(k % 256) + "=\r\n";
        if (s.size() + line.size() + 64 > size)
            break;
        s += line;
    }
    s += "4;255;999999999;0;";
    s += std::string(size - s.size() - 3, 'x');
    s += "=\r\n";
    return s;
}

} // namespace

int main() {
    char pattern[] = "/tmp/korv-bench-XXXXXX";
    if (!::mkdtemp(pattern))
        return 1;
    const std::filesystem::path dir = pattern;
    bool ok = true;

    auto full = std::make_unique<TTablica>();
    Fill(*full, MaxCards, 10000000);
    const std::string fullPath = (dir / "full.zel").string();
    ok &= Report("save 6144 cards (write, flush, rename)", Measure([&] {
                     if (!WriteCardFile(*full, fullPath).ok)
                         std::abort();
                 }));
    std::printf("  file size %zu bytes\n", CardFileText(*full).size());
    ok &= Report("load 6144 cards (read, recognise, load)", Measure([&] {
                     auto t = std::make_unique<TTablica>();
                     const FileBytes f = ReadCardFileBytes(fullPath);
                     if (RecogniseCardFile(f.size, f.bytes) != CardFileKind::Version9 ||
                         LoadCardFile(f.bytes, *t).cards != MaxCards)
                         std::abort();
                 }));

    const std::string big = MillionByteFile(1000000, 50000000);
    const std::string bigPath = (dir / "big.zel").string();
    if (!WriteFileAtomically(bigPath, big).ok || big.size() != 1000000)
        return 1;
    int bigCards = 0;
    ok &= Report("load a 1,000,000-byte file", Measure([&] {
                     auto t = std::make_unique<TTablica>();
                     const FileBytes f = ReadCardFileBytes(bigPath);
                     bigCards = LoadCardFile(f.bytes, *t).cards;
                 }));
    std::printf("  %d cards in the file\n", bigCards);

    auto base = std::make_unique<TTablica>();
    Fill(*base, 6000, 10000000);
    ok &= Report("merge a 1,000,000-byte file into 6000 cards", Measure([&] {
                     auto t = std::make_unique<TTablica>(*base);
                     const FileBytes f = ReadCardFileBytes(bigPath);
                     const MergeResult r = MergeCardFile(f.bytes, *t);
                     // Every card is checked; the total then refuses the file.
                     if (r.conflict || !r.overCapacity || r.pending != bigCards)
                         std::abort();
                 }));

    std::filesystem::remove_all(dir);
    return ok ? 0 : 1;
}
