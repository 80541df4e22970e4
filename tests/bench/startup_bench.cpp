// Start-up of the program under Wine, from the start of the process to its main window shown
// and painted: beside an empty window of the same class, caption and size that starts as the
// program does (its manifest, common controls and menu bar: empty_window.cpp), and with the
// marks of 40 voices to draw beside none.
//   startup_bench QUILLORY_EXE EMPTY_WINDOW_EXE [ROUNDS]   (tools/bench.sh, default 10 rounds)
// Each round starts the program on a game folder without speech sample files, the empty window
// and the program on a folder with all 40, in turns; the medians count. The fastest start of
// each is printed too: on a machine that others share it is the steadier figure.
//   startup_bench QUILLORY_EXE --play        (run by tools/bench.sh with a sound device)
// The peak memory of the program that plays a voice of 1 MB for 3 seconds, beside one that
// plays a voice of 100 MB as long; three rounds, the medians count.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/ids.h"
#include "app/version.h"
#include "tests/e2e/setup.h"
#include "tests/support/expected.h"

namespace {

using namespace quillory;
using Clock = std::chrono::steady_clock;

HWND shownAndPainted(DWORD process) {
    const std::string caption = "Quillory  v" QUILLORY_VERSION;
    HWND window = FindWindowA("TForm1", caption.c_str());
    DWORD owner = 0;
    if (window == nullptr || !IsWindowVisible(window) ||
        (GetWindowThreadProcessId(window, &owner), owner != process) ||
        GetUpdateRect(window, nullptr, FALSE)) {
        return nullptr;
    }
    return window;
}

// One start, in milliseconds; `whileOpen` runs once the window shows, then the program is
// closed again.
double startOnce(const std::string& exe, const std::string& workingDir,
                 const std::function<void(HWND, HANDLE)>& whileOpen = {}) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + exe + "\"";
    const Clock::time_point start = Clock::now();
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDir.c_str(), &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", exe.c_str());
        std::exit(2);
    }
    HWND window = nullptr;
    while ((window = shownAndPainted(process.dwProcessId)) == nullptr) {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0 ||
            Clock::now() - start > std::chrono::seconds(30)) {
            std::fprintf(stderr, "the program did not show its window\n");
            std::exit(2);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (whileOpen) {
        whileOpen(window, process.hProcess);
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ms;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The program's peak memory in KiB once it played slot 0's voice for 3 seconds, without a
// word of trouble.
long playedPeakKiB(const std::string& exe, const std::string& workingDir) {
    PROCESS_MEMORY_COUNTERS memory{};
    startOnce(exe, workingDir, [&](HWND window, HANDLE process) {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(ids::kMenuPlay, 0), 0);
        std::this_thread::sleep_for(std::chrono::seconds(3));
        for (HWND box = nullptr; (box = FindWindowExA(nullptr, box, "#32770", nullptr));) {
            DWORD owner = 0;
            if (GetWindowThreadProcessId(box, &owner), owner == GetProcessId(process)) {
                std::fprintf(stderr, "the program did not play: it showed a box\n");
                std::exit(2);
            }
        }
        GetProcessMemoryInfo(process, &memory, sizeof memory);
    });
    return static_cast<long>(memory.PeakWorkingSetSize / 1024);
}

int playBench(const std::string& exe) {
    e2e::TempFolder work("work");
    e2e::TempFolder small("1 MB voice");
    e2e::TempFolder large("100 MB voice");
    for (const auto& [game, bytes] : {std::pair{&small, 1 << 20}, std::pair{&large, 100 << 20}}) {
        e2e::makeDirs(game->path("audio\\speech"));
        e2e::writeFile(
            game->path(test::speechName(0)),
            test::speechFile(test::formatBlock(1, 1, 22050, 16), std::string(bytes, 'x')));
    }
    std::vector<double> smallPeaks, largePeaks;
    for (int round = 0; round < 3; ++round) {
        for (const auto& [game, peaks] :
             {std::pair{&small, &smallPeaks}, std::pair{&large, &largePeaks}}) {
            e2e::install_record::set("REG_SZ", game->dir());
            peaks->push_back(playedPeakKiB(exe, work.dir()));
        }
    }
    e2e::install_record::remove();
    const double a = median(smallPeaks), b = median(largePeaks);
    std::printf("Peak memory of the program playing a voice under Wine, median of 3:\n");
    std::printf("  1 MB voice    %8.0f KiB\n  100 MB voice  %8.0f KiB\n", a, b);
    std::printf("  difference    %+8.0f KiB (at most 1024)\n", b - a);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: startup_bench QUILLORY_EXE (EMPTY_WINDOW_EXE [ROUNDS] | --play)\n");
        return 2;
    }
    const std::string exe = argv[1];
    if (std::string(argv[2]) == "--play") {
        return playBench(exe);
    }
    const std::string emptyWindow = argv[2];
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 10;
    e2e::TempFolder work("work");
    e2e::TempFolder none("no voices");
    e2e::TempFolder voices("40 voices");
    e2e::makeDirs(voices.path("audio\\speech"));
    for (int slot = 0; slot < test::kSlots; ++slot) {
        const std::string number = (slot < 10 ? "0" : "") + std::to_string(slot);
        e2e::writeFile(voices.path("audio\\speech\\007400" + number + ".iff"),
                       test::speechFile(test::formatBlock(1, 1, 22050, 16), test::pattern(4410)));
    }
    const auto startOn = [&](const e2e::TempFolder& game) {
        e2e::install_record::set("REG_SZ", game.dir());
        return startOnce(exe, work.dir());
    };
    // The first start of each makes its communication text file.
    startOn(none);
    startOn(voices);

    startOnce(emptyWindow, work.dir());

    std::vector<double> without, empty, with;
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            without.push_back(startOn(none));
            empty.push_back(startOnce(emptyWindow, work.dir()));
            with.push_back(startOn(voices));
        } else {
            with.push_back(startOn(voices));
            empty.push_back(startOnce(emptyWindow, work.dir()));
            without.push_back(startOn(none));
        }
    }
    e2e::install_record::remove();
    const double a = median(without), e = median(empty), b = median(with);
    const auto best = [](const std::vector<double>& values) {
        return *std::min_element(values.begin(), values.end());
    };
    const double fa = best(without), fe = best(empty), fb = best(with);
    std::printf("Start-up to the painted window under Wine, median (fastest) of %d:\n", rounds);
    std::printf("  empty window          %7.1f ms (%5.1f)\n", e, fe);
    std::printf("  Quillory, no voices   %7.1f ms (%5.1f)  %.2f (%.2f) times the empty window's\n",
                a, fa, a / e, fa / fe);
    std::printf("  Quillory, 40 voices   %7.1f ms (%5.1f)  the marks add %+.1f %% (%+.1f %%)\n", b,
                fb, (b / a - 1) * 100, (fb / fa - 1) * 100);
    return 0;
}
