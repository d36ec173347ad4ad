// Start-up benchmark: time from process start to the main window's first paint, and resident
// memory once start-up has settled. The parent starts itself as a child N times (a real
// process start: exec, dynamic loading, Qt, the window) and reports the median.
//
//   korv-bench-startup [runs]          (offscreen unless QT_QPA_PLATFORM says otherwise)
#include "ui/app_style.h"
#include "ui/main_window/main_window.h"

#include <QApplication>
#include <QEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

long long NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

long ResidentKb() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && paintNs == 0)
            paintNs = NowNs();
        return QObject::eventFilter(o, e);
    }
    long long paintNs = 0;
};

int Child() {
    QApplication app(
        *new int(1), new char* [2] { const_cast<char*>("korv"), nullptr });
    korv::ui::ApplyAppStyle(app);
    QApplication::setApplicationName("KORV");
    QTemporaryDir dir;
    korv::ui::TMainOptions options;
    options.settingsPath = (dir.path() + "/korv.ini").toStdString();
    korv::ui::TMain window(options);
    FirstPaint probe;
    window.installEventFilter(&probe);
    window.show();
    // offscreen windows are painted when something asks for their contents
    if (QApplication::platformName() == "offscreen")
        QTimer::singleShot(0, &window, [&] { (void)window.grab(); });
    QTimer::singleShot(500, &app, [&] {
        std::printf("%lld %ld\n", probe.paintNs, ResidentKb());
        std::fflush(stdout);
        app.quit();
    });
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && !std::strcmp(argv[1], "--child"))
        return Child();
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::vector<double> ms;
    std::vector<long> kb;
    for (int i = 0; i < runs; ++i) {
        int out[2];
        if (pipe(out) != 0)
            return 1;
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_adddup2(&fa, out[1], 1);
        posix_spawn_file_actions_addclose(&fa, out[0]);
        // Qt talks about the platform on stderr; the figures are all we want to see
        posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
        char* args[] = {argv[0], const_cast<char*>("--child"), nullptr};
        pid_t pid = 0;
        const long long start = NowNs();
        if (posix_spawn(&pid, "/proc/self/exe", &fa, nullptr, args, environ) != 0)
            return 1;
        close(out[1]);
        char buf[128] = {};
        const ssize_t n = read(out[0], buf, sizeof buf - 1);
        close(out[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        long long paint = 0;
        long rss = 0;
        if (n <= 0 || std::sscanf(buf, "%lld %ld", &paint, &rss) != 2 || paint == 0) {
            std::fprintf(stderr, "run %d: no paint reported\n", i);
            return 1;
        }
        ms.push_back((paint - start) / 1e6);
        kb.push_back(rss);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(kb.begin(), kb.end());
    std::printf("platform: %s, runs: %d\n", std::getenv("QT_QPA_PLATFORM"), runs);
    std::printf("first paint: median %.1f ms (min %.1f, max %.1f)  target < 300 ms\n",
                ms[ms.size() / 2], ms.front(), ms.back());
    std::printf("resident memory after start-up: median %.1f MB (max %.1f)  target < 60 MB\n",
                kb[kb.size() / 2] / 1024.0, kb.back() / 1024.0);
    return 0;
}
