// Media Foundation's declarations for Windows 7 first.
#include "platform/mf_session_win32.h"
// After it:
#include <mferror.h>

#include "platform/mf_decoder_win32.h"

#include "platform/error.h"
#include "platform/wide_win32.h"

namespace quillory {
namespace {

constexpr DWORD kFirstAudio = static_cast<DWORD>(MF_SOURCE_READER_FIRST_AUDIO_STREAM);
constexpr std::uint64_t kTicksPerSecond = 10'000'000;  // of 100 ns

class ReaderSamples : public BlockSamples {
public:
    ReaderSamples(std::unique_ptr<MfSession> session, IMFSourceReader* reader)
        : session_(std::move(session)), reader_(reader) {}
    ~ReaderSamples() override { releaseCom(reader_); }

private:
    bool NextBlock(std::string& block) override {
        DWORD flags = 0;
        IMFSample* sample = nullptr;
        if (FAILED(reader_->ReadSample(kFirstAudio, 0, nullptr, &flags, nullptr, &sample)) ||
            (flags & MF_SOURCE_READERF_ERROR) != 0) {
            releaseCom(sample);
            throw Error(kReadBeyondEnd);  // the file is damaged past its start
        }
        IMFMediaBuffer* contiguous = nullptr;
        if (sample && SUCCEEDED(sample->ConvertToContiguousBuffer(&contiguous))) {
            copyBytes(contiguous, block);
        }
        releaseCom(contiguous);
        releaseCom(sample);
        return (flags & MF_SOURCE_READERF_ENDOFSTREAM) == 0;
    }

    std::unique_ptr<MfSession> session_;  // outlives the reader
    IMFSourceReader* reader_;
};

bool unsupported(HRESULT result) {
    return result == MF_E_UNSUPPORTED_BYTESTREAM_TYPE || result == MF_E_UNSUPPORTED_SCHEME ||
           result == MF_E_UNSUPPORTED_FORMAT || result == MF_E_TOPO_CODEC_NOT_FOUND ||
           result == MF_E_INVALIDMEDIATYPE;
}

// Asks the reader for 16-bit PCM of its first audio stream.
HRESULT askForPcm(IMFSourceReader* reader) {
    IMFMediaType* type = nullptr;
    HRESULT result = mf().createMediaType(&type);
    if (SUCCEEDED(result)) {
        reader->SetStreamSelection(static_cast<DWORD>(MF_SOURCE_READER_ALL_STREAMS), FALSE);
        result = reader->SetStreamSelection(kFirstAudio, TRUE);
    }
    if (SUCCEEDED(result)) {
        type->SetGUID(MF_MT_MAJOR_TYPE, MFMediaType_Audio);
        type->SetGUID(MF_MT_SUBTYPE, MFAudioFormat_PCM);
        type->SetUINT32(MF_MT_AUDIO_BITS_PER_SAMPLE, 16);
        result = reader->SetCurrentMediaType(kFirstAudio, nullptr, type);
    }
    releaseCom(type);
    return result;
}

bool readFormat(IMFSourceReader* reader, PcmFormat& format) {
    IMFMediaType* type = nullptr;
    if (FAILED(reader->GetCurrentMediaType(kFirstAudio, &type))) {
        return false;
    }
    UINT32 channels = 0, rate = 0, bits = 0;
    type->GetUINT32(MF_MT_AUDIO_NUM_CHANNELS, &channels);
    type->GetUINT32(MF_MT_AUDIO_SAMPLES_PER_SECOND, &rate);
    type->GetUINT32(MF_MT_AUDIO_BITS_PER_SAMPLE, &bits);
    releaseCom(type);
    format = {channels, rate, bits};
    return channels > 0 && rate > 0 && bits == 16;
}

std::uint64_t durationTicks(IMFSourceReader* reader) {
    PROPVARIANT value;
    PropVariantInit(&value);
    std::uint64_t ticks = 0;
    if (SUCCEEDED(reader->GetPresentationAttribute(static_cast<DWORD>(MF_SOURCE_READER_MEDIASOURCE),
                                                   MF_PD_DURATION, &value)) &&
        value.vt == VT_UI8) {
        ticks = value.uhVal.QuadPart;  // nothing to free in a number
    }
    return ticks;
}

}  // namespace

DecodeResult openMediaFoundation(const std::string& utf8Path) {
    if (!mf().readerComplete()) {
        return {DecodeTrouble::NoDecoder, {}};
    }
    auto session = std::make_unique<MfSession>();
    if (!session->started()) {
        return {DecodeTrouble::NoDecoder, {}};
    }
    IMFSourceReader* reader = nullptr;
    HRESULT result = mf().createReader(WideOf(utf8Path).c_str(), nullptr, &reader);
    if (SUCCEEDED(result)) {
        result = askForPcm(reader);
    }
    Decoded decoded;
    if (SUCCEEDED(result) && !readFormat(reader, decoded.format)) {
        result = MF_E_INVALIDMEDIATYPE;
    }
    if (FAILED(result)) {
        releaseCom(reader);
        return {unsupported(result) ? DecodeTrouble::NoDecoder : DecodeTrouble::Damaged, {}};
    }
    const std::uint64_t frames = durationTicks(reader) * decoded.format.rate / kTicksPerSecond;
    decoded.expectedBytes = frames * decoded.format.channels * 2;
    decoded.samples = std::make_unique<ReaderSamples>(std::move(session), reader);
    return {DecodeTrouble::None, std::move(decoded)};
}

}  // namespace quillory
