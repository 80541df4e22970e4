// Start-up of the program under Wine, from the start of the process to its main window shown
// and painted: beside an empty window of the same class, caption and size, and with the marks
// of 40 voices to draw beside none.
//   startup_bench QUILLORY_EXE EMPTY_WINDOW_EXE [ROUNDS]   (tools/bench.sh, default 10 rounds)
// Each round starts the program on a game folder without speech sample files, the empty window
// and the program on a folder with all 40, in turns; the medians count.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

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

// One start, in milliseconds; the program is closed again.
double startOnce(const std::string& exe, const std::string& workingDir) {
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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench QUILLORY_EXE EMPTY_WINDOW_EXE [ROUNDS]\n");
        return 2;
    }
    const std::string exe = argv[1];
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
    std::printf("Start-up to the painted window under Wine, median of %d:\n", rounds);
    std::printf("  empty window          %7.1f ms\n", e);
    std::printf("  Quillory, no voices   %7.1f ms  (%.2f times the empty window's)\n", a, a / e);
    std::printf("  Quillory, 40 voices   %7.1f ms  (the marks add %+.1f %%)\n", b,
                (b / a - 1) * 100);
    return 0;
}
