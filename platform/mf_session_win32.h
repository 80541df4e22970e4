#pragma once

// Media Foundation as the decoders use it: declared for Windows 7 here, every function of it
// looked up at run time, so that the program still loads where it is missing.
#undef _WIN32_WINNT
#undef WINVER
#define _WIN32_WINNT 0x0601
#define WINVER 0x0601
#include <windows.h>
// After windows.h:
#include <mfapi.h>
#include <mfidl.h>
#include <mfreadwrite.h>

#include <string>

#include "platform/system_library_win32.h"

namespace quillory {

// Its functions, looked up once; null where missing.
struct MediaFoundation {
    decltype(&CoInitializeEx) coInitialize = nullptr;
    decltype(&CoUninitialize) coUninitialize = nullptr;
    decltype(&CoCreateInstance) coCreateInstance = nullptr;
    decltype(&MFStartup) startup = nullptr;
    decltype(&MFShutdown) shutdown = nullptr;
    decltype(&MFCreateMediaType) createMediaType = nullptr;
    decltype(&MFCreateSample) createSample = nullptr;
    decltype(&MFCreateMemoryBuffer) createMemoryBuffer = nullptr;
    decltype(&MFCreateSourceReaderFromURL) createReader = nullptr;

    MediaFoundation();
    // Whether what the source reader needs, or what a decoder driven directly needs, is there.
    bool readerComplete() const;
    bool transformComplete() const;
};

MediaFoundation& mf();

// COM and Media Foundation started for as long as a decoder lives.
class MfSession {
public:
    MfSession();
    ~MfSession();
    MfSession(const MfSession&) = delete;
    MfSession& operator=(const MfSession&) = delete;
    bool started() const { return started_; }

private:
    bool comStarted_ = false;
    bool started_ = false;
};

// The bytes a media buffer holds, into `bytes`; false when it cannot be read.
bool copyBytes(IMFMediaBuffer* buffer, std::string& bytes);

template <typename T>
void releaseCom(T*& object) {
    if (object) {
        object->Release();
        object = nullptr;
    }
}

}  // namespace quillory
