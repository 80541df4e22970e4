// The recording under Wine, with the recording device of tools/with-microphone.sh playing its
// tone: how many times a second the level meter changes, and the share of one core that the
// program takes meanwhile (its threads' processor time over the time passed; the meter is not
// looked at then).
//   record_bench QUILLORY_EXE [SECONDS]      (run by tools/bench.sh, default 10 s each)
#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/ids.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/setup.h"

namespace {

using namespace quillory;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The processor time of the process's threads so far, in seconds.
double ProcessorSeconds(DWORD process) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    ULONGLONG total = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        const HANDLE thread = entry.th32OwnerProcessID == process
                                  ? OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID)
                                  : nullptr;
        FILETIME created, ended, kernel, user;
        if (thread && GetThreadTimes(thread, &created, &ended, &kernel, &user)) {
            for (const FILETIME& time : {kernel, user}) {
                total += (ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime;
            }
        }
        if (thread) {
            CloseHandle(thread);
        }
    }
    CloseHandle(snapshot);
    return static_cast<double>(total) / 1e7;
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const char* tone = std::getenv("QUILLORY_TONE_TRIGGER");
    if (argc < 2 || tone == nullptr) {
        std::fprintf(stderr,
                     "usage: tools/with-microphone.sh record_bench QUILLORY_EXE [SECONDS]\n");
        return 2;
    }
    const double seconds = argc > 2 ? std::atof(argv[2]) : 10;
    e2e::TempFolder work("work"), game("game");
    e2e::install_record::set("REG_SZ", game.dir());
    e2e::Program program(argv[1], work.dir());
    const HWND main = program.mainWindow();
    e2e::post(main, WM_COMMAND, MAKEWPARAM(ids::kMenuRecord, 0));
    const HWND box = program.waitForWindow(ids::kRecordBoxClass, "Record voice");
    const HWND record = e2e::findChildById(box, "Button", ids::kRecordButton);
    const HWND meter = e2e::findChildById(box, PROGRESS_CLASSA, ids::kMeter);
    if (!record || !meter) {
        return 2;
    }
    e2e::writeFile(e2e::windowsPath(tone), std::to_string(2 * seconds + 5));
    e2e::click(record);
    e2e::waitUntil([&] { return e2e::textOf(record) == "Stop"; }, "the recording");
    std::this_thread::sleep_for(1s);

    int changes = 0;
    LRESULT shown = e2e::send(meter, PBM_GETPOS);
    const Clock::time_point watched = Clock::now();
    while (SecondsSince(watched) < seconds) {
        std::this_thread::sleep_for(5ms);
        const LRESULT now = e2e::send(meter, PBM_GETPOS);
        changes += now != shown;
        shown = now;
    }
    const double rate = changes / SecondsSince(watched);

    const double before = ProcessorSeconds(program.id());
    const Clock::time_point idle = Clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const double share = (ProcessorSeconds(program.id()) - before) / SecondsSince(idle);

    e2e::click(record);
    e2e::click(e2e::findChildById(box, "Button", ids::kCancelButton));
    e2e::post(main, WM_CLOSE);
    program.waitForExit();
    e2e::install_record::remove();
    std::printf("While recording under Wine, %.0f s each:\n", seconds);
    std::printf("  the level meter changes %5.1f times a second (at least 20)\n", rate);
    std::printf("  the program takes       %5.1f %% of one core (under 5 %%)\n", share * 100);
    return 0;
}
