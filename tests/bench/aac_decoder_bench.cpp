// Windows' AAC decoder (a Media Foundation transform, Windows 7 and later) alone, driven
// directly with no source reader and no work queue: fed the frames of an ADTS stream (the AAC
// of an M4A, as `ffmpeg -i IN.m4a -c copy -f adts OUT.aac` copies it) one at a time as raw AAC,
// with the stream's AudioSpecificConfig as an M4A's sample description gives it, and drained
// into one reused buffer as 16-bit PCM.
//   aac_decoder_bench SOUND.aac      (run under Wine by tools/import-bench.sh)
// Prints "FRAMES PCM_BYTES WORKING_SET_KIB COMMITTED_KIB HEAP_BLOCKS HEAP_KIB": the frames fed,
// the PCM bytes out, the process's peak working set and its committed memory after the last
// frame, and the blocks of its heaps in use then, with their size in KiB.
#undef _WIN32_WINNT
#undef WINVER
#define _WIN32_WINNT 0x0601
#define WINVER 0x0601
#include <windows.h>
// After windows.h:
#include <mfapi.h>
#include <mferror.h>
#include <mfidl.h>
#include <mftransform.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/bench/heap_use.h"

namespace {

// CLSID_MSAACDecMFT.
constexpr GUID kAacDecoder = {
    0x32d186a7, 0x218f, 0x4c75, {0x88, 0x76, 0xdd, 0x77, 0x27, 0x3a, 0x89, 0x99}};

// An ADTS stream read a frame at a time, as a decoder of an M4A reads its samples.
struct AdtsStream {
    std::ifstream file;
    unsigned rate = 0;
    unsigned channels = 0;
    unsigned char config[2] = {};  // the AudioSpecificConfig of AAC with these

    // The next frame's AAC into `frame`; false after the last one.
    bool next(std::string& frame) {
        unsigned char header[9];
        if (!file.read(reinterpret_cast<char*>(header), 7)) {
            return false;
        }
        const std::size_t length = (header[3] & 3u) << 11 | header[4] << 3 | header[5] >> 5;
        const std::size_t headerLength = (header[1] & 1) ? 7 : 9;  // without or with a CRC
        if (length <= headerLength ||
            !file.read(reinterpret_cast<char*>(header), headerLength - 7)) {
            return false;
        }
        frame.resize(length - headerLength);
        return static_cast<bool>(
            file.read(frame.data(), static_cast<std::streamsize>(frame.size())));
    }
};

bool openAdts(const wchar_t* path, AdtsStream& stream) {
    static constexpr unsigned kRates[] = {96000, 88200, 64000, 48000, 44100, 32000, 24000,
                                          22050, 16000, 12000, 11025, 8000,  7350};
    stream.file.open(path, std::ios::binary);
    unsigned char header[4];
    if (!stream.file.read(reinterpret_cast<char*>(header), 4) || header[0] != 0xff ||
        (header[1] & 0xf6) != 0xf0) {
        return false;
    }
    stream.file.seekg(0);
    const unsigned object = (header[2] >> 6) + 1;
    const unsigned rateIndex = (header[2] >> 2) & 0x0f;
    stream.channels = ((header[2] & 1) << 2) | (header[3] >> 6);
    if (rateIndex >= std::size(kRates) || stream.channels == 0) {
        return false;
    }
    stream.rate = kRates[rateIndex];
    stream.config[0] = static_cast<unsigned char>(object << 3 | rateIndex >> 1);
    stream.config[1] = static_cast<unsigned char>((rateIndex & 1) << 7 | stream.channels << 3);
    return true;
}

IMFTransform* openDecoder(const AdtsStream& stream) {
    IMFTransform* decoder = nullptr;
    IMFMediaType* input = nullptr;
    if (FAILED(
            CoCreateInstance(kAacDecoder, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&decoder))) ||
        FAILED(MFCreateMediaType(&input))) {
        return nullptr;
    }
    // HEAACWAVEINFO after its WAVEFORMATEX: raw AAC, no profile given, then the config.
    const unsigned char userData[14] = {
        0, 0, 0xfe, 0, 0, 0, 0, 0, 0, 0, 0, 0, stream.config[0], stream.config[1]};
    input->SetGUID(MF_MT_MAJOR_TYPE, MFMediaType_Audio);
    input->SetGUID(MF_MT_SUBTYPE, MFAudioFormat_AAC);
    input->SetUINT32(MF_MT_AUDIO_SAMPLES_PER_SECOND, stream.rate);
    input->SetUINT32(MF_MT_AUDIO_NUM_CHANNELS, stream.channels);
    input->SetUINT32(MF_MT_AUDIO_BITS_PER_SAMPLE, 16);
    input->SetUINT32(MF_MT_AAC_PAYLOAD_TYPE, 0);
    input->SetBlob(MF_MT_USER_DATA, userData, sizeof userData);
    HRESULT result = decoder->SetInputType(0, input, 0);
    input->Release();
    for (DWORD index = 0; SUCCEEDED(result); ++index) {
        IMFMediaType* output = nullptr;
        result = decoder->GetOutputAvailableType(0, index, &output);
        GUID subtype{};
        UINT32 bits = 0;
        if (SUCCEEDED(result) && SUCCEEDED(output->GetGUID(MF_MT_SUBTYPE, &subtype)) &&
            SUCCEEDED(output->GetUINT32(MF_MT_AUDIO_BITS_PER_SAMPLE, &bits)) &&
            subtype == MFAudioFormat_PCM && bits == 16) {
            result = decoder->SetOutputType(0, output, 0);
            output->Release();
            break;
        }
        if (output) {
            output->Release();
        }
    }
    if (FAILED(result)) {
        decoder->Release();
        return nullptr;
    }
    decoder->ProcessMessage(MFT_MESSAGE_NOTIFY_BEGIN_STREAMING, 0);
    decoder->ProcessMessage(MFT_MESSAGE_NOTIFY_START_OF_STREAM, 0);
    return decoder;
}

IMFSample* sampleOf(const char* bytes, DWORD size) {
    IMFSample* sample = nullptr;
    IMFMediaBuffer* buffer = nullptr;
    BYTE* data = nullptr;
    if (FAILED(MFCreateSample(&sample)) || FAILED(MFCreateMemoryBuffer(size, &buffer))) {
        return nullptr;
    }
    buffer->Lock(&data, nullptr, nullptr);
    std::memcpy(data, bytes, size);
    buffer->Unlock();
    buffer->SetCurrentLength(size);
    sample->AddBuffer(buffer);
    buffer->Release();
    return sample;
}

// Takes what the decoder has into `out`; the PCM bytes, or -1 when it fails.
long long drain(IMFTransform* decoder, IMFSample* out, IMFMediaBuffer* buffer) {
    long long bytes = 0;
    for (;;) {
        buffer->SetCurrentLength(0);
        MFT_OUTPUT_DATA_BUFFER output{};
        output.pSample = out;
        DWORD status = 0;
        const HRESULT result = decoder->ProcessOutput(0, 1, &output, &status);
        if (output.pEvents) {
            output.pEvents->Release();
        }
        if (result == MF_E_TRANSFORM_NEED_MORE_INPUT) {
            return bytes;
        }
        DWORD length = 0;
        if (FAILED(result) || FAILED(buffer->GetCurrentLength(&length))) {
            return -1;
        }
        bytes += length;
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    AdtsStream stream;
    if (argc != 2 || !openAdts(argv[1], stream)) {
        std::fprintf(stderr, "usage: aac_decoder_bench SOUND.aac (ADTS)\n");
        return 2;
    }
    IMFTransform* decoder = nullptr;
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) ||
        FAILED(MFStartup(MF_VERSION, MFSTARTUP_LITE)) || !(decoder = openDecoder(stream))) {
        std::fprintf(stderr, "aac_decoder_bench: no AAC decoder\n");
        return 1;
    }
    MFT_OUTPUT_STREAM_INFO info{};
    decoder->GetOutputStreamInfo(0, &info);
    IMFSample* out = nullptr;
    IMFMediaBuffer* buffer = nullptr;
    MFCreateSample(&out);
    MFCreateMemoryBuffer(info.cbSize ? info.cbSize : 1 << 16, &buffer);
    out->AddBuffer(buffer);
    long frames = 0;
    long long pcm = 0;
    std::string frame;
    while (pcm >= 0 && stream.next(frame)) {
        ++frames;
        IMFSample* sample = sampleOf(frame.data(), static_cast<DWORD>(frame.size()));
        if (!sample || FAILED(decoder->ProcessInput(0, sample, 0))) {
            pcm = -1;
        }
        if (sample) {
            sample->Release();
        }
        const long long bytes = pcm < 0 ? -1 : drain(decoder, out, buffer);
        pcm = bytes < 0 ? -1 : pcm + bytes;
    }
    decoder->ProcessMessage(MFT_MESSAGE_COMMAND_DRAIN, 0);
    const long long last = pcm < 0 ? -1 : drain(decoder, out, buffer);
    if (last < 0) {
        std::fprintf(stderr, "aac_decoder_bench: the decoder failed\n");
        return 1;
    }
    pcm += last;
    const HeapUse heap = heapUse();
    PROCESS_MEMORY_COUNTERS memory{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) {
        return 1;
    }
    std::printf("%ld %lld %lu %lu %llu %llu\n", frames, pcm,
                static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024),
                static_cast<unsigned long>(memory.PagefileUsage / 1024), heap.blocks,
                heap.bytes / 1024);
    buffer->Release();
    out->Release();
    decoder->Release();
    MFShutdown();
    CoUninitialize();
    return 0;
}
