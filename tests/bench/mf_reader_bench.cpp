// The system's Media Foundation source reader alone, with none of the program's code: opens
// SOUND by its file name, asks for 16-bit PCM of the first audio stream and reads every sample,
// releasing each at once, as few as a reader can hold. What it keeps is the system's own.
//   mf_reader_bench SOUND      (run under Wine by tools/import-bench.sh)
// Prints "SAMPLES WORKING_SET_KIB COMMITTED_KIB HEAP_BLOCKS HEAP_KIB": the samples read, the
// process's peak working set and its committed memory after the last sample, and the blocks of
// the process's heaps in use then, with their size in KiB.
#undef _WIN32_WINNT
#undef WINVER
#define _WIN32_WINNT 0x0601
#define WINVER 0x0601
#include <windows.h>
// After windows.h:
#include <mfapi.h>
#include <mfidl.h>
#include <mfreadwrite.h>
#include <psapi.h>

#include <cstdio>
#include <vector>

namespace {

constexpr DWORD kFirstAudio = static_cast<DWORD>(MF_SOURCE_READER_FIRST_AUDIO_STREAM);

// The blocks in use in all of the process's heaps.
struct HeapUse {
    unsigned long long blocks = 0;
    unsigned long long bytes = 0;
};

HeapUse heapUse() {
    HeapUse use;
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap)) {
            continue;
        }
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                ++use.blocks;
                use.bytes += entry.cbData;
            }
        }
        HeapUnlock(heap);
    }
    return use;
}

IMFSourceReader* openPcmReader(const wchar_t* path) {
    IMFSourceReader* reader = nullptr;
    IMFMediaType* type = nullptr;
    if (FAILED(MFCreateSourceReaderFromURL(path, nullptr, &reader)) ||
        FAILED(MFCreateMediaType(&type))) {
        if (reader) {
            reader->Release();
        }
        return nullptr;
    }
    reader->SetStreamSelection(static_cast<DWORD>(MF_SOURCE_READER_ALL_STREAMS), FALSE);
    reader->SetStreamSelection(kFirstAudio, TRUE);
    type->SetGUID(MF_MT_MAJOR_TYPE, MFMediaType_Audio);
    type->SetGUID(MF_MT_SUBTYPE, MFAudioFormat_PCM);
    type->SetUINT32(MF_MT_AUDIO_BITS_PER_SAMPLE, 16);
    const HRESULT result = reader->SetCurrentMediaType(kFirstAudio, nullptr, type);
    type->Release();
    if (FAILED(result)) {
        reader->Release();
        return nullptr;
    }
    return reader;
}

// Reads to the end; the number of samples, or -1 when the reader fails.
long readAll(IMFSourceReader* reader) {
    long samples = 0;
    for (;;) {
        DWORD flags = 0;
        IMFSample* sample = nullptr;
        if (FAILED(reader->ReadSample(kFirstAudio, 0, nullptr, &flags, nullptr, &sample)) ||
            (flags & MF_SOURCE_READERF_ERROR) != 0) {
            return -1;
        }
        if (sample) {
            sample->Release();
            ++samples;
        }
        if (flags & MF_SOURCE_READERF_ENDOFSTREAM) {
            return samples;
        }
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mf_reader_bench SOUND\n");
        return 2;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) ||
        FAILED(MFStartup(MF_VERSION, MFSTARTUP_LITE))) {
        std::fprintf(stderr, "mf_reader_bench: no Media Foundation\n");
        return 1;
    }
    IMFSourceReader* reader = openPcmReader(argv[1]);
    const long samples = reader ? readAll(reader) : -1;
    if (samples < 0) {
        std::fprintf(stderr, "mf_reader_bench: the reader failed\n");
        return 1;
    }
    const HeapUse heap = heapUse();
    PROCESS_MEMORY_COUNTERS memory{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) {
        return 1;
    }
    std::printf("%ld %lu %lu %llu %llu\n", samples,
                static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024),
                static_cast<unsigned long>(memory.PagefileUsage / 1024), heap.blocks,
                heap.bytes / 1024);
    reader->Release();
    MFShutdown();
    CoUninitialize();
    return 0;
}
