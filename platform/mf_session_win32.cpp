#include "platform/mf_session_win32.h"

namespace quillory {
namespace {

template <typename Function>
void find(Function& function, HMODULE library, const char* name) {
    if (library) {
        function =
            reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
    }
}

}  // namespace

MediaFoundation::MediaFoundation() {
    const HMODULE ole = SystemLibrary("ole32.dll");
    const HMODULE platform = SystemLibrary("mfplat.dll");
    find(coInitialize, ole, "CoInitializeEx");
    find(coUninitialize, ole, "CoUninitialize");
    find(coCreateInstance, ole, "CoCreateInstance");
    find(startup, platform, "MFStartup");
    find(shutdown, platform, "MFShutdown");
    find(createMediaType, platform, "MFCreateMediaType");
    find(createSample, platform, "MFCreateSample");
    find(createMemoryBuffer, platform, "MFCreateMemoryBuffer");
    find(createReader, SystemLibrary("mfreadwrite.dll"), "MFCreateSourceReaderFromURL");
}

bool MediaFoundation::readerComplete() const {
    return coInitialize && coUninitialize && startup && shutdown && createMediaType && createReader;
}

bool MediaFoundation::transformComplete() const {
    return coInitialize && coUninitialize && coCreateInstance && startup && shutdown &&
           createMediaType && createSample && createMemoryBuffer;
}

MediaFoundation& mf() {
    static MediaFoundation functions;
    return functions;
}

bool copyBytes(IMFMediaBuffer* buffer, std::string& bytes) {
    BYTE* data = nullptr;
    DWORD length = 0;
    if (FAILED(buffer->Lock(&data, nullptr, &length))) {
        return false;
    }
    bytes.assign(reinterpret_cast<const char*>(data), length);
    buffer->Unlock();
    return true;
}

MfSession::MfSession() {
    const HRESULT com = mf().coInitialize(nullptr, COINIT_MULTITHREADED);
    comStarted_ = SUCCEEDED(com);  // another apartment on this thread will do, too
    started_ = SUCCEEDED(mf().startup(MF_VERSION, MFSTARTUP_LITE));
}

MfSession::~MfSession() {
    if (started_) {
        mf().shutdown();
    }
    if (comStarted_) {
        mf().coUninitialize();
    }
}

}  // namespace quillory
