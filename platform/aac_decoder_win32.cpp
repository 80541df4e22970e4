// Media Foundation's declarations for Windows 7 first.
#include "platform/mf_session_win32.h"
// After it:
#include <mferror.h>
#include <mftransform.h>

#include "platform/aac_decoder_win32.h"

#include <algorithm>
#include <cstring>

#include "platform/error.h"
#include "platform/trimmed_samples.h"

namespace quillory {
namespace {

// CLSID_MSAACDecMFT, the AAC decoder of Windows 7 and later.
constexpr GUID kAacDecoder = {
    0x32d186a7, 0x218f, 0x4c75, {0x88, 0x76, 0xdd, 0x77, 0x27, 0x3a, 0x89, 0x99}};

// Raw AAC frames with their AudioSpecificConfig, as the decoder's input.
HRESULT setInput(IMFTransform* decoder, const AacTrack& aac) {
    // The part of HEAACWAVEINFO after its WAVEFORMATEX (raw AAC, no profile named), then the
    // configuration.
    UINT8 userData[12 + 32] = {0, 0, 0xfe};
    IMFMediaType* type = nullptr;
    if (aac.config.size() > sizeof userData - 12) {
        return MF_E_INVALIDMEDIATYPE;
    }
    std::memcpy(userData + 12, aac.config.data(), aac.config.size());
    HRESULT result = mf().createMediaType(&type);
    if (SUCCEEDED(result)) {
        type->SetGUID(MF_MT_MAJOR_TYPE, MFMediaType_Audio);
        type->SetGUID(MF_MT_SUBTYPE, MFAudioFormat_AAC);
        type->SetUINT32(MF_MT_AUDIO_SAMPLES_PER_SECOND, aac.rate);
        type->SetUINT32(MF_MT_AUDIO_NUM_CHANNELS, aac.channels);
        type->SetUINT32(MF_MT_AUDIO_BITS_PER_SAMPLE, 16);
        type->SetUINT32(MF_MT_AAC_PAYLOAD_TYPE, 0);
        type->SetBlob(MF_MT_USER_DATA, userData, static_cast<UINT32>(12 + aac.config.size()));
        result = decoder->SetInputType(0, type, 0);
    }
    releaseCom(type);
    return result;
}

// The first 16-bit PCM output the decoder offers with the track's channels (it may offer stereo
// of mono first), and its format.
HRESULT setPcmOutput(IMFTransform* decoder, unsigned channels, PcmFormat& format) {
    IMFMediaType* type = nullptr;
    for (DWORD index = 0; SUCCEEDED(decoder->GetOutputAvailableType(0, index, &type)); ++index) {
        GUID subtype{};
        UINT32 bits = 0, offered = 0, rate = 0;
        type->GetGUID(MF_MT_SUBTYPE, &subtype);
        type->GetUINT32(MF_MT_AUDIO_BITS_PER_SAMPLE, &bits);
        type->GetUINT32(MF_MT_AUDIO_NUM_CHANNELS, &offered);
        type->GetUINT32(MF_MT_AUDIO_SAMPLES_PER_SECOND, &rate);
        HRESULT result = MF_E_INVALIDMEDIATYPE;
        if (subtype == MFAudioFormat_PCM && bits == 16 && offered == channels && rate > 0) {
            result = decoder->SetOutputType(0, type, 0);
            format = {offered, rate, 16};
        }
        releaseCom(type);
        if (SUCCEEDED(result)) {
            return result;
        }
    }
    return MF_E_INVALIDMEDIATYPE;
}

class AacSamples : public BlockSamples {
public:
    AacSamples(std::unique_ptr<MfSession> session, IMFTransform* decoder,
               std::unique_ptr<CompressedFrames> frames)
        : session_(std::move(session)), decoder_(decoder), frames_(std::move(frames)) {}
    ~AacSamples() override {
        releaseCom(output_);
        releaseCom(outputBuffer_);
        releaseCom(decoder_);
    }

    bool start() {
        MFT_OUTPUT_STREAM_INFO info{};
        return SUCCEEDED(decoder_->GetOutputStreamInfo(0, &info)) &&
               SUCCEEDED(mf().createSample(&output_)) &&
               SUCCEEDED(mf().createMemoryBuffer(std::max<DWORD>(info.cbSize, 1 << 16),
                                                 &outputBuffer_)) &&
               SUCCEEDED(output_->AddBuffer(outputBuffer_)) &&
               SUCCEEDED(decoder_->ProcessMessage(MFT_MESSAGE_NOTIFY_BEGIN_STREAMING, 0)) &&
               SUCCEEDED(decoder_->ProcessMessage(MFT_MESSAGE_NOTIFY_START_OF_STREAM, 0));
    }

private:
    // The decoder's next output, fed frames as it asks for them.
    bool NextBlock(std::string& block) override {
        while (block.empty() && !ended_) {
            outputBuffer_->SetCurrentLength(0);
            MFT_OUTPUT_DATA_BUFFER output{};
            output.pSample = output_;
            DWORD status = 0;
            const HRESULT result = decoder_->ProcessOutput(0, 1, &output, &status);
            releaseCom(output.pEvents);
            if (result == MF_E_TRANSFORM_NEED_MORE_INPUT) {
                feed();
            } else if (FAILED(result) || !copyBytes(outputBuffer_, block)) {
                fail();
            }
        }
        return !ended_;
    }

    void feed() {
        if (!frames_->next(frame_)) {
            ended_ = drained_;
            drained_ = true;
            decoder_->ProcessMessage(MFT_MESSAGE_COMMAND_DRAIN, 0);
            return;
        }
        IMFSample* sample = nullptr;
        IMFMediaBuffer* buffer = nullptr;
        BYTE* bytes = nullptr;
        const auto size = static_cast<DWORD>(frame_.size());
        const bool fed = SUCCEEDED(mf().createSample(&sample)) &&
                         SUCCEEDED(mf().createMemoryBuffer(size, &buffer)) &&
                         SUCCEEDED(buffer->Lock(&bytes, nullptr, nullptr)) &&
                         (std::memcpy(bytes, frame_.data(), size), SUCCEEDED(buffer->Unlock())) &&
                         SUCCEEDED(buffer->SetCurrentLength(size)) &&
                         SUCCEEDED(sample->AddBuffer(buffer)) &&
                         SUCCEEDED(decoder_->ProcessInput(0, sample, 0));
        releaseCom(buffer);
        releaseCom(sample);
        if (!fed) {
            fail();
        }
    }

    [[noreturn]] void fail() {
        ended_ = true;
        throw Error(kReadBeyondEnd);  // the file is damaged past its start
    }

    std::unique_ptr<MfSession> session_;  // outlives the decoder
    IMFTransform* decoder_;
    std::unique_ptr<CompressedFrames> frames_;
    IMFSample* output_ = nullptr;
    IMFMediaBuffer* outputBuffer_ = nullptr;
    std::string frame_;
    bool drained_ = false;
    bool ended_ = false;
};

}  // namespace

DecodeResult openAacTrack(AacTrack aac) {
    if (!mf().transformComplete()) {
        return {DecodeTrouble::NoDecoder, {}};
    }
    auto session = std::make_unique<MfSession>();
    IMFTransform* decoder = nullptr;
    Decoded decoded;
    if (!session->started() ||
        FAILED(mf().coCreateInstance(kAacDecoder, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_PPV_ARGS(&decoder))) ||
        FAILED(setInput(decoder, aac)) ||
        FAILED(setPcmOutput(decoder, aac.channels, decoded.format))) {
        releaseCom(decoder);
        return {DecodeTrouble::NoDecoder, {}};
    }
    auto samples = std::make_unique<AacSamples>(std::move(session), decoder, std::move(aac.frames));
    if (!samples->start()) {
        return {DecodeTrouble::NoDecoder, {}};
    }
    const std::uint64_t frameBytes = decoded.format.channels * 2;
    const auto frames = [&](std::uint64_t time) {
        return time * decoded.format.rate / aac.timescale;
    };
    const std::uint64_t keep =
        aac.soundTime ? frames(aac.soundTime) * frameBytes : TrimmedSamples::kAll;
    decoded.expectedBytes = aac.soundTime ? keep : aac.frameCount * 1024 * frameBytes;
    decoded.samples = std::make_unique<TrimmedSamples>(std::move(samples),
                                                       frames(aac.primingTime) * frameBytes, keep);
    return {DecodeTrouble::None, std::move(decoded)};
}

}  // namespace quillory
