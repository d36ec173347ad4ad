// The real main window (offscreen) over the simulator library on the real clock, for the
// benchmarks that watch its thread: the window finds the simulator where it would find the
// vendor's library, the simulated module reads its INI file at every cable open, message boxes
// are answered as an installer would, and waits always have a deadline.
#pragma once

#include "ui/main_window/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QEventLoop>
#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace korv::bench {

// Whether the command a click started still runs. Today the click itself returns only when
// the command is over; a command that runs elsewhere while the window goes on answers here.
inline bool WindowCommandRunning(ui::TMain& window) {
    return window.CommandRunning();
}

// The window loads the cable's library by name from the library path, which the loader fixes
// when the program starts: put the simulator's folder there and start again. Also picks the
// offscreen platform unless one was chosen.
inline void UseSimulatorLibrary(char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (std::getenv("KORV_BENCH_WITH_SIM"))
        return;
    const std::string dir = std::filesystem::path(KORV_SIM_LIBRARY).parent_path().string();
    const char* old = std::getenv("LD_LIBRARY_PATH");
    setenv("LD_LIBRARY_PATH", (dir + (old ? ":" + std::string(old) : "")).c_str(), 1);
    setenv("KORV_BENCH_WITH_SIM", "1", 1);
    execv("/proc/self/exe", argv);
    std::perror("execv");
    std::exit(1);
}

// A folder of the run's own for the simulator's INI file, its memory images and the window's
// settings; gone at the end.
class BenchFolder {
public:
    explicit BenchFolder(const char* name) {
        std::string pattern = "/tmp/" + std::string(name) + "-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        path_ = pattern;
        setenv("KORV_SIM_CONFIG", (path_ + "/sim.ini").c_str(), 1);
        // The backups a write takes go here, never into the user's own data folder.
        setenv("XDG_DATA_HOME", (path_ + "/data").c_str(), 1);
    }
    ~BenchFolder() { std::filesystem::remove_all(path_); }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The simulated module from the next cable open on.
    void Module(const std::string& lines) const {
        std::ofstream(path_ + "/sim.ini") << "[module]\n" << lines << "\n";
    }
    // A window as the program starts it, on a settings file in this folder.
    std::unique_ptr<ui::TMain> StartWindow() const {
        ui::TMainOptions options;
        options.settingsPath = path_ + "/korv.ini";
        auto window = std::make_unique<ui::TMain>(options);
        window->show();
        QApplication::processEvents();
        return window;
    }

private:
    std::string path_;
};

// Handles events until done() holds or the time is up; false when it did not hold in time.
// Polls from the event loop, so the wait itself never blocks the thread.
inline bool WaitUntil(const std::function<bool()>& done, int deadlineMs) {
    if (done())
        return true;
    const QDeadlineTimer deadline(deadlineMs, Qt::PreciseTimer);
    QEventLoop loop;
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done() || deadline.hasExpired())
            loop.quit();
    });
    poll.start();
    loop.exec();
    return done();
}

// Handles events for ms milliseconds.
inline void RunEventsFor(int ms) {
    WaitUntil([] { return false; }, ms);
}

// The module was found and took the password, and nothing runs: the module panels can be
// pressed.
inline bool WaitForModule(ui::TMain& window, int deadlineMs) {
    return WaitUntil(
        [&] {
            return window.state().connection.PasswordAccepted() && !WindowCommandRunning(window) &&
                   window.Modul_ZEL->isEnabled() && window.Button_reset_pamieci->isEnabled();
        },
        deadlineMs);
}

// Answers every modal window as it comes up: a message box with Yes when it offers Yes (the
// memory reset's question, the close box), else with OK; any other modal window is cancelled,
// since no benchmark expects one. Keeps what each box said.
class ModalAnswerer {
public:
    ModalAnswerer() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
        timer_.start();
    }
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    // What was answered since the last call: "Yes: <text>", "OK: <text>", "cancelled: ...".
    std::vector<std::string> Take() { return std::exchange(answered_, {}); }
    bool Idle() const { return QApplication::activeModalWidget() == nullptr; }

private:
    void Look() {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible())
            return;
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            const std::string text = box->text().toStdString();
            for (auto [button, name] :
                 {std::pair{QMessageBox::Yes, "Yes"}, {QMessageBox::Ok, "OK"}}) {
                if (QAbstractButton* b = box->button(button)) {
                    answered_.push_back(std::string(name) + ": " + text);
                    b->click();
                    return;
                }
            }
            answered_.push_back("cancelled: " + text);
            box->reject();
            return;
        }
        answered_.push_back("cancelled: " + std::string(w->metaObject()->className()));
        if (auto* dialog = qobject_cast<QDialog*>(w))
            dialog->reject();
        else
            w->close();
    }

    QTimer timer_;
    std::vector<std::string> answered_;
};

// The lines the performance table takes, and the limit a run must keep.
class GapSummary {
public:
    void Add(const std::string& name, double longestMs) { cases_.emplace_back(name, longestMs); }
    // Prints "longest gap: <case> <ms> ms" per case; 1 when a case went over the limit.
    int Finish(std::optional<double> limitMs) const {
        int status = 0;
        for (const auto& [name, ms] : cases_) {
            const bool over = limitMs && ms > *limitMs;
            std::printf("longest gap: %s %.1f ms%s\n", name.c_str(), ms,
                        over ? "  OVER LIMIT" : "");
            if (over)
                status = 1;
        }
        if (limitMs)
            std::printf("limit %.1f ms: %s\n", *limitMs, status ? "exceeded" : "kept");
        return status;
    }

private:
    std::vector<std::pair<std::string, double>> cases_;
};

// "--limit MS" at argv[i]: moves past it and sets limit; false when argv[i] is something else
// or the value is not a number above zero.
inline bool ParseLimit(int argc, char** argv, int& i, std::optional<double>& limit) {
    if (std::string(argv[i]) != "--limit" || i + 1 >= argc)
        return false;
    char* end = nullptr;
    const double value = std::strtod(argv[i + 1], &end);
    if (end == argv[i + 1] || *end || value <= 0)
        return false;
    limit = value;
    ++i;
    return true;
}

} // namespace korv::bench
