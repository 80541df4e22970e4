// The recording under Wine, with the recording device of tools/with-microphone.sh playing its
// tone: how many times a second the level meter changes, and then, with the meter no longer
// looked at, the share of one core the program's threads take.
//   record_bench QUILLORY_EXE [SECONDS]      (run by tools/bench.sh, default 10 s each)
#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/ids.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/setup.h"

using namespace quillory::e2e;
namespace ids = quillory::ids;

// The processor time of the process's threads so far, in seconds.
static double ProcessorSeconds(DWORD process) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    double total = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        const HANDLE thread = entry.th32OwnerProcessID == process
                                  ? OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID)
                                  : nullptr;
        FILETIME times[4];
        if (thread && GetThreadTimes(thread, &times[0], &times[1], &times[2], &times[3])) {
            for (const FILETIME& time : {times[2], times[3]}) {
                total += static_cast<double>(time.dwHighDateTime) * 429.4967296 +
                         time.dwLowDateTime / 1e7;
            }
        }
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return total;
}

static double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int main(int argc, char** argv) {
    const char* tone = std::getenv("QUILLORY_TONE_TRIGGER");
    if (argc < 2 || tone == nullptr) {
        std::fprintf(stderr,
                     "usage: tools/with-microphone.sh record_bench QUILLORY_EXE [SECONDS]\n");
        return 2;
    }
    const double seconds = argc > 2 ? std::atof(argv[2]) : 10;
    TempFolder work("work"), game("game");
    install_record::set("REG_SZ", game.dir());
    Program program(argv[1], work.dir());
    const HWND main = program.mainWindow();
    post(main, WM_COMMAND, MAKEWPARAM(ids::kMenuRecord, 0));
    const HWND box = program.waitForWindow(ids::kRecordBoxClass, "Record voice - 1 of 40");
    const HWND record = findChildById(box, "Button", ids::kRecordButton);
    const HWND meter = findChildById(box, PROGRESS_CLASSA, ids::kMeter);
    writeFile(windowsPath(tone), std::to_string(2 * seconds + 5));
    click(record);
    waitUntil([&] { return textOf(record) == "Stop"; }, "the recording");
    std::this_thread::sleep_for(1s);

    int changes = 0;
    LRESULT shown = send(meter, PBM_GETPOS);
    for (const auto start = Clock::now(); Since(start) < seconds;) {
        std::this_thread::sleep_for(5ms);
        const LRESULT now = send(meter, PBM_GETPOS);
        changes += now != shown;
        shown = now;
    }
    const double before = ProcessorSeconds(program.id());
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const double share = (ProcessorSeconds(program.id()) - before) / Since(start);

    click(findChildById(box, "Button", ids::kCancelButton));
    post(main, WM_CLOSE);
    program.waitForExit();
    install_record::remove();
    std::printf("While recording under Wine, %.0f s each:\n", seconds);
    std::printf("  the level meter changes %5.1f times a second (at least 20)\n",
                changes / seconds);
    std::printf("  the program takes       %5.1f %% of one core (under 5 %%)\n", share * 100);
    return 0;
}
