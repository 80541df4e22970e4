// One import of a compressed sound file into a speech sample file, as the program makes it when
// the player attaches the file to a slot (the system's decoder, then the speech file's writer),
// without the window.
//   import_bench SOUND GAME_FOLDER      (run under Wine by tools/bench.sh)
// Prints the import's seconds, then the process's peak working set and peak committed memory in
// KiB: "SECONDS WORKING_SET_KIB COMMITTED_KIB".
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "formats/sound_file.h"
#include "game/speech_import.h"
#include "game/voice_sound.h"
#include "platform/error.h"

int main(int argc, char** argv) {
    using namespace quillory;
    if (argc != 3) {
        std::fprintf(stderr, "usage: import_bench SOUND GAME_FOLDER\n");
        return 2;
    }
    std::string gameDir = argv[2];
    if (gameDir.back() != '\\' && gameDir.back() != '/') {
        gameDir += '\\';
    }
    FileSystem& fs = systemFileSystem();
    const auto start = std::chrono::steady_clock::now();
    try {
        SoundOpening opening = openSound(fs, argv[1]);
        if (opening.kind == SoundKind::Wave || opening.kind == SoundKind::Unknown ||
            opening.decoded.trouble != DecodeTrouble::None) {
            std::fprintf(stderr, "import_bench: not decoded (kind %s, trouble %d)\n",
                         soundKindName(opening.kind), static_cast<int>(opening.decoded.trouble));
            return 1;
        }
        VoiceSound voice = DecodedVoice(std::move(opening.decoded.decoded));
        WriteVoice(GameDirectory(fs, gameDir), 7, voice, [](std::uint64_t, std::uint64_t) {});
    } catch (const Error& error) {
        std::fprintf(stderr, "import_bench: %s\n", error.what());
        return 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    PROCESS_MEMORY_COUNTERS memory{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) {
        return 1;
    }
    std::printf("%.3f %lu %lu\n", seconds,
                static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024),
                static_cast<unsigned long>(memory.PeakPagefileUsage / 1024));
    return 0;
}
