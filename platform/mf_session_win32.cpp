#include "platform/mf_session_win32.h"

namespace quillory {

bool MediaFoundation::readerComplete() {
    return coInitialize.get() && coUninitialize.get() && startup.get() && shutdown.get() &&
           createMediaType.get() && createReader.get();
}

bool MediaFoundation::transformComplete() {
    return coInitialize.get() && coUninitialize.get() && coCreateInstance.get() && startup.get() &&
           shutdown.get() && createMediaType.get() && createSample.get() &&
           createMemoryBuffer.get();
}

MediaFoundation& mf() {
    static MediaFoundation functions;
    return functions;
}

MfSession::MfSession() {
    const HRESULT com = mf().coInitialize.get()(nullptr, COINIT_MULTITHREADED);
    comStarted_ = SUCCEEDED(com);  // another apartment on this thread will do, too
    started_ = SUCCEEDED(mf().startup.get()(MF_VERSION, MFSTARTUP_LITE));
}

MfSession::~MfSession() {
    if (started_) {
        mf().shutdown.get()();
    }
    if (comStarted_) {
        mf().coUninitialize.get()();
    }
}

}  // namespace quillory
