// Speed and memory of the WAVE import, measured against `cp` of the same file, and of its
// conversion to 16 bits, measured against sox converting the same file.
//   speech_bench WORK_FOLDER [ROUNDS]     (run by tools/bench.sh)
// In WORK_FOLDER it makes 16-bit PCM WAVE files of 1 MB and 100 MB, then, in each round,
// copies the 100 MB file with cp (which copies inside the kernel), with cat (through a buffer,
// as the import does), with cp followed by a sync of the copy (the import flushes its file to
// the disk before it puts it in place), and imports it in a process of its own. It does the
// same with 24-bit stereo files of 1 MB and 100 MB, converted by `sox IN -b 16 -D OUT` (with
// -V1, which drops its warning about the samples that round past 32767) and by the import.
// The best round of each counts. Peak memory is the high-water mark of an import
// process (VmHWM) for each size; the import's 16-bit samples are checked against sox's.
//   speech_bench --import WAVE GAME_FOLDER    one import, then prints its VmHWM in KiB
//   speech_bench --import-unflushed WAVE GAME_FOLDER
//                                            the same with the flush to the disk left out, to
//                                            tell the copy's own cost from the disk's
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/speech_import.h"
#include "platform/error.h"
#include "tests/support/bytes.h"
#include "tests/support/forwarding_fs.h"

namespace {

using namespace quillory;
using Clock = std::chrono::steady_clock;

// The system's file system whose files skip the flush to the disk.
class UnflushedFileSystem : public test::ForwardingFileSystem {
public:
    std::unique_ptr<File> create(const std::string& path) override {
        return std::make_unique<UnflushedFile>(ForwardingFileSystem::create(path));
    }

private:
    class UnflushedFile : public test::ForwardingFile {
    public:
        using ForwardingFile::ForwardingFile;
        void flush() override {}
    };
};

long highWaterKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

int importOnce(FileSystem& fs, const std::string& wave, const std::string& gameDir) {
    try {
        WaveImport importing(fs, wave);
        if (importing.wave().refusal != WaveRefusal::None) {
            std::fprintf(stderr, "refused\n");
            return 1;
        }
        importing.WriteSpeechFile(gameDir, 7, [](std::uint64_t, std::uint64_t) {});
    } catch (const Error& error) {
        std::fprintf(stderr, "import failed: %s\n", error.what());
        return 1;
    }
    std::printf("%ld\n", highWaterKiB());
    return 0;
}

// A PCM WAVE file of `soundBytes` bytes of noise, in whole frames.
void makeWave(const std::string& path, std::uint32_t soundBytes, unsigned channels = 1,
              unsigned bits = 16) {
    using test::le;
    const std::uint32_t align = channels * bits / 8;
    const std::uint32_t rate = 22050;
    soundBytes -= soundBytes % align;
    const std::string header = "RIFF" + le(36 + soundBytes, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) +
                               le(channels, 2) + le(rate, 4) + le(rate * align, 4) + le(align, 2) +
                               le(bits, 2) + "data" + le(soundBytes, 4);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    std::vector<char> block(1 << 20);
    std::uint32_t noise = 12345;
    for (std::uint32_t left = soundBytes; left > 0;) {
        for (char& byte : block) {
            noise = noise * 1103515245u + 12345u;
            byte = static_cast<char>(noise >> 16);
        }
        const std::uint32_t n =
            std::min<std::uint32_t>(left, static_cast<std::uint32_t>(block.size()));
        out.write(block.data(), n);
        left -= n;
    }
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(2);
    }
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs a program, waits for it; its standard output goes to `output` when given.
double run(const std::vector<std::string>& argv, std::string* output = nullptr) {
    int pipeFds[2] = {-1, -1};
    if (output != nullptr && pipe(pipeFds) != 0) {
        std::exit(2);
    }
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (output != nullptr) {
            dup2(pipeFds[1], 1);
            close(pipeFds[0]);
            close(pipeFds[1]);
        }
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    if (output != nullptr) {
        close(pipeFds[1]);
        char buffer[256];
        for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
            output->append(buffer, static_cast<std::size_t>(n));
        }
        close(pipeFds[0]);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", argv[0].c_str());
        std::exit(2);
    }
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--import") {
        return importOnce(systemFileSystem(), argv[2], argv[3]);
    }
    if (argc == 4 && std::string(argv[1]) == "--import-unflushed") {
        UnflushedFileSystem fs;
        return importOnce(fs, argv[2], argv[3]);
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: speech_bench WORK_FOLDER [ROUNDS]\n");
        return 2;
    }
    const std::string self = "/proc/self/exe";
    const std::string work = std::string(argv[1]) + "/";
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    const std::string small = work + "in-1mb.wav";
    const std::string big = work + "in-100mb.wav";
    const std::string small24 = work + "in24-1mb.wav";
    const std::string big24 = work + "in24-100mb.wav";
    const std::string copy = work + "copy.wav";
    const std::string soxOut = work + "sox16.wav";
    const std::string speechFile = work + "audio/speech/00740007.iff";
    makeWave(small, 1000 * 1000);
    makeWave(big, 100 * 1000 * 1000);
    makeWave(small24, 1000 * 1000, 2, 24);
    makeWave(big24, 100 * 1000 * 1000, 2, 24);

    char selfPath[4096];
    const ssize_t length = readlink(self.c_str(), selfPath, sizeof selfPath - 1);
    if (length <= 0) {
        return 2;
    }
    const std::string program(selfPath, static_cast<std::size_t>(length));

    double bestCp = 1e9, bestCat = 1e9, bestCpSync = 1e9, bestImport = 1e9, bestUnflushed = 1e9;
    double bestSox = 1e9, bestSoxSync = 1e9, bestConvert = 1e9, bestConvertUnflushed = 1e9;
    std::string ignored;
    const auto import = [&](const char* how, const std::string& wave) {
        std::remove(speechFile.c_str());
        return run({program, how, wave, work}, &ignored);
    };
    for (int round = 0; round < rounds; ++round) {
        std::remove(copy.c_str());
        bestCp = std::min(bestCp, run({"cp", big, copy}));
        std::remove(copy.c_str());
        bestCat = std::min(bestCat, run({"sh", "-c", "cat \"$0\" >\"$1\"", big, copy}));
        std::remove(copy.c_str());
        bestCpSync =
            std::min(bestCpSync, run({"sh", "-c", "cp \"$0\" \"$1\" && sync \"$1\"", big, copy}));
        std::remove(copy.c_str());
        bestImport = std::min(bestImport, import("--import", big));
        bestUnflushed = std::min(bestUnflushed, import("--import-unflushed", big));

        std::remove(soxOut.c_str());
        bestSox = std::min(bestSox, run({"sox", "-V1", big24, "-b", "16", "-D", soxOut}));
        std::remove(soxOut.c_str());
        bestSoxSync = std::min(
            bestSoxSync,
            run({"sh", "-c", "sox -V1 \"$0\" -b 16 -D \"$1\" && sync \"$1\"", big24, soxOut}));
        bestConvert = std::min(bestConvert, import("--import", big24));
        bestConvertUnflushed = std::min(bestConvertUnflushed, import("--import-unflushed", big24));
    }
    std::remove(copy.c_str());

    // The conversion's samples are sox's: both round 24 bits to 16 from the top bits.
    const std::string ours = readFile(speechFile);
    const std::string theirs = readFile(soxOut);
    const std::size_t data = theirs.find("data");
    const bool same = ours.size() > 44 && data != std::string::npos &&
                      theirs.compare(data + 8, std::string::npos, ours, 44) == 0;
    std::remove(soxOut.c_str());

    const auto peak = [&](const std::string& wave) {
        std::string printed;
        std::remove(speechFile.c_str());
        run({program, "--import", wave, work}, &printed);
        return std::strtol(printed.c_str(), nullptr, 10);
    };
    const long smallKiB = peak(small), bigKiB = peak(big);
    const long small24KiB = peak(small24), big24KiB = peak(big24);

    const double mb = 100.0;
    std::printf("100 MB PCM WAVE, best of %d rounds:\n", rounds);
    std::printf("  cp                 %7.3f s  %7.0f MB/s\n", bestCp, mb / bestCp);
    std::printf("  cat (read, write)  %7.3f s  %7.0f MB/s\n", bestCat, mb / bestCat);
    std::printf("  cp + sync of copy  %7.3f s  %7.0f MB/s\n", bestCpSync, mb / bestCpSync);
    std::printf("  import             %7.3f s  %7.0f MB/s\n", bestImport, mb / bestImport);
    std::printf("  import, no flush   %7.3f s  %7.0f MB/s\n", bestUnflushed, mb / bestUnflushed);
    std::printf("  import speed / cp speed:                    %.2f (target at least 0.90)\n",
                bestCp / bestImport);
    std::printf("  import speed / (cp + sync) speed:           %.2f\n", bestCpSync / bestImport);
    std::printf("  import without the flush / cp speed:        %.2f\n", bestCp / bestUnflushed);
    std::printf("100 MB 24-bit stereo WAVE to 16 bits, best of %d rounds:\n", rounds);
    std::printf("  sox -b 16 -D       %7.3f s  %7.0f MB/s\n", bestSox, mb / bestSox);
    std::printf("  sox + sync of it   %7.3f s  %7.0f MB/s\n", bestSoxSync, mb / bestSoxSync);
    std::printf("  import             %7.3f s  %7.0f MB/s\n", bestConvert, mb / bestConvert);
    std::printf("  import, no flush   %7.3f s  %7.0f MB/s\n", bestConvertUnflushed,
                mb / bestConvertUnflushed);
    std::printf("  import speed / sox speed:                   %.2f (target at least 1.00)\n",
                bestSox / bestConvert);
    std::printf("  import speed / (sox + sync) speed:          %.2f\n", bestSoxSync / bestConvert);
    std::printf("  import without the flush / sox speed:       %.2f\n",
                bestSox / bestConvertUnflushed);
    std::printf("  16-bit samples the same as sox's:           %s\n", same ? "yes" : "NO");
    std::printf("Peak memory of an import process (VmHWM):\n");
    std::printf(
        "  1 MB input   %6ld KiB\n  100 MB input %6ld KiB\n  difference   %6ld KiB "
        "(target within 1024)\n",
        smallKiB, bigKiB, bigKiB - smallKiB);
    std::printf(
        "  1 MB 24-bit input to 16 bits   %6ld KiB\n  100 MB 24-bit input to 16 bits %6ld KiB\n"
        "  difference                     %6ld KiB (target within 1024)\n",
        small24KiB, big24KiB, big24KiB - small24KiB);
    std::remove(speechFile.c_str());
    return same ? 0 : 1;
}
