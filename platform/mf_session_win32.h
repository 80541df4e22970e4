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

#include "platform/system_library_win32.h"

namespace quillory {

struct MediaFoundation {
    SystemFunction<decltype(CoInitializeEx)> coInitialize{"ole32.dll", "CoInitializeEx"};
    SystemFunction<decltype(CoUninitialize)> coUninitialize{"ole32.dll", "CoUninitialize"};
    SystemFunction<decltype(CoCreateInstance)> coCreateInstance{"ole32.dll", "CoCreateInstance"};
    SystemFunction<decltype(MFStartup)> startup{"mfplat.dll", "MFStartup"};
    SystemFunction<decltype(MFShutdown)> shutdown{"mfplat.dll", "MFShutdown"};
    SystemFunction<decltype(MFCreateMediaType)> createMediaType{"mfplat.dll", "MFCreateMediaType"};
    SystemFunction<decltype(MFCreateSample)> createSample{"mfplat.dll", "MFCreateSample"};
    SystemFunction<decltype(MFCreateMemoryBuffer)> createMemoryBuffer{"mfplat.dll",
                                                                      "MFCreateMemoryBuffer"};
    SystemFunction<decltype(MFCreateSourceReaderFromURL)> createReader{
        "mfreadwrite.dll", "MFCreateSourceReaderFromURL"};

    // Whether what the source reader needs, or what a decoder driven directly needs, is there.
    bool readerComplete();
    bool transformComplete();
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

template <typename T>
void releaseCom(T*& object) {
    if (object) {
        object->Release();
        object = nullptr;
    }
}

}  // namespace quillory
