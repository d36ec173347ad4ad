// korv-bench-window [--limit MS] [read] [write] [verify] [reset]: the real window (offscreen)
// on the real clock against the simulated module, the simulator's 9600-baud wire model on,
// pressed as an installer would: Read of a module holding 6144 cards, Save of them back,
// Verify, and the memory reset, its question answered Yes. Reports per case its time (against
// the floor the wire and the protocol's fixed waits allow, for the transfers), the longest
// the window's thread went without handling events and when that gap ended. Boxes the
// commands show are answered and printed. All four cases by default; about two and a half minutes,
// so run on request. Exits 1 when a case fails or goes over the limit.
#include "bench/support/window_bench.h"
#include "bench/support/event_gap_probe.h"
#include "bench/transfer/transfer_floor.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "link/memory_image.h"
#include "ui/main_window/main_window.h"
#include "ui/widgets/push_panel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kModuleReadyMs = 30000;
constexpr int kCommandMs = 120000;
constexpr std::uint32_t kModuleMs = 1;
// A full register on a full module: the pages a read or verify of its count touches, and
// those its write sends.
const int kReadPages = korv::PagesToRead(korv::MaxCards, korv::link::kFullModule);
const int kWritePages = korv::PagesToWrite(korv::MaxCards, korv::link::kFullModule);

// The register the module starts with: every apartment of every zone full.
std::string ImageCards() {
    std::string list;
    for (int c = 0; c < korv::MaxCards; ++c)
        list += (c ? "," : "") + std::to_string(1 + c / 1536) + "/" + std::to_string(c / 6 % 256) +
                "/" + std::to_string(100000 + c * 37);
    return list;
}

// The same register typed in at the window, for a run that does not read it first.
void FillRegister(korv::ui::TMain& window) {
    window.state().tablica.ClearCards();
    for (int c = 0; c < korv::MaxCards; ++c)
        window.state().tablica.AddCard(1 + c / 1536, c / 6 % 256,
                                       {std::to_string(100000 + c * 37), false, ""});
    window.RefreshViews();
}

struct CaseResult {
    bool ended = false;
    double wallMs = 0, longestGapMs = 0, longestEndedAtMs = 0;
    std::vector<std::string> boxes;
};

// Presses the control once the module is ready and waits for the command to end with no box
// left up, watching the window's thread from the press on.
CaseResult Press(korv::ui::TMain& window, korv::bench::ModalAnswerer& answerer, QWidget* control) {
    CaseResult r;
    if (!korv::bench::WaitForModule(window, kModuleReadyMs)) {
        std::fprintf(stderr, "the module was not ready within %d s\n", kModuleReadyMs / 1000);
        return r;
    }
    for (const std::string& box : answerer.Take())
        std::printf("  before the press: %s\n", box.c_str());
    korv::bench::EventGapProbe probe;
    probe.Start();
    QElapsedTimer wall;
    wall.start();
    QTest::mouseClick(control, Qt::LeftButton);
    r.ended = korv::bench::WaitUntil(
        [&] { return !korv::bench::WindowCommandRunning(window) && answerer.Idle(); }, kCommandMs);
    r.wallMs = static_cast<double>(wall.nsecsElapsed()) / 1e6;
    probe.Stop();
    r.longestGapMs = probe.LongestMs();
    r.longestEndedAtMs = probe.LongestEndedAtMs();
    r.boxes = answerer.Take();
    if (!r.ended)
        std::fprintf(stderr, "the command did not end within %d s\n", kCommandMs / 1000);
    return r;
}

// Whether the case answered a box with this text with OK.
bool Said(const CaseResult& r, int slot) {
    return std::find(r.boxes.begin(), r.boxes.end(), "OK: " + korv::MessageText(slot)) !=
           r.boxes.end();
}

int Usage() {
    std::fprintf(stderr, "usage: korv-bench-window [--limit MS] [read] [write] [verify] [reset]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::optional<double> limit;
    std::set<std::string> chosen;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "read" || arg == "write" || arg == "verify" || arg == "reset")
            chosen.insert(arg);
        else if (!korv::bench::ParseLimit(argc, argv, i, limit))
            return Usage();
    }
    if (chosen.empty())
        chosen = {"read", "write", "verify", "reset"};
    korv::bench::UseSimulatorLibrary(argv);

    QApplication app(argc, argv);
    korv::bench::BenchFolder folder("korv-bench-window");
    folder.Module("kind=F\ntiming=on\ndelay=" + std::to_string(kModuleMs) +
                  "\nmemory=" + folder.Path() + "/memory.bin\nimage_cards=" + ImageCards());
    auto window = folder.StartWindow();
    korv::ui::TMain& w = *window;
    korv::bench::ModalAnswerer answerer;
    if (!korv::bench::WaitForModule(w, kModuleReadyMs)) {
        std::fprintf(stderr, "the simulated module was not found (driver: %s)\n",
                     w.BEXFTDI->DriverName().c_str());
        return 1;
    }

    const korv::bench::TransferFloor floor{kModuleMs};
    korv::bench::GapSummary summary;
    bool failed = false;
    std::printf("the real window on the real clock, simulator timing=on, 6144 cards\n");
    auto report = [&](const char* name, const CaseResult& r, double floorMs, bool ok) {
        std::printf("  %-7s %8.3f s", name, r.wallMs / 1000.0);
        if (floorMs > 0)
            std::printf("   floor %8.3f s   ratio %.4f", floorMs / 1000.0, r.wallMs / floorMs);
        std::printf("   longest gap %6.1f ms (ended at %6.2f s)   %zu boxes\n", r.longestGapMs,
                    r.longestEndedAtMs / 1000.0, r.boxes.size());
        for (const std::string& box : r.boxes)
            std::printf("          %s\n", box.c_str());
        if (!r.ended || !ok) {
            std::fprintf(stderr, "%s: the command did not do its work\n", name);
            failed = true;
        }
        summary.Add(name, r.longestGapMs);
    };

    if (chosen.count("read")) {
        w.state().tablica.ClearCards();
        const CaseResult r = Press(w, answerer, w.Panel1b->label());
        report("read", r, floor.Read(kReadPages), w.state().tablica.CardCount() == korv::MaxCards);
    } else {
        FillRegister(w);
    }
    if (chosen.count("write")) {
        w.state().NeedSave = true; // as after an edit
        // The module holds cards: Save offers the backup, answered Yes, which reads them all
        // (a read's floor) before the write.
        const CaseResult r = Press(w, answerer, w.Panel2b->label());
        report("write", r, floor.Read(kReadPages) + floor.Write(kWritePages), !w.state().NeedSave);
    }
    if (chosen.count("verify")) {
        const CaseResult r = Press(w, answerer, w.Panel3b->label());
        report("verify", r, floor.Read(kReadPages), Said(r, korv::MsgVerifySucceeded));
    }
    if (chosen.count("reset")) {
        const CaseResult r = Press(w, answerer, w.Button_reset_pamieci);
        report("reset", r, 0, Said(r, korv::MsgResetSucceeded));
    }
    std::printf("\n");
    const int status = summary.Finish(limit);
    // The window goes before the folder holding its settings and the module's memory.
    window.reset();
    return failed ? 1 : status;
}
