#include <windows.h>

#include "platform/text.h"
#include "platform/wide_win32.h"

namespace quillory {

AnsiText AnsiOf(const std::string& utf8) {
    if (GetACP() == CP_UTF8) {
        return {utf8, {}};
    }
    const std::wstring wide = WideOf(utf8);
    AnsiText text;
    for (std::size_t at = 0; at < wide.size();) {
        // One character: a surrogate pair is one.
        const std::size_t units =
            at + 1 < wide.size() && IS_HIGH_SURROGATE(wide[at]) && IS_LOW_SURROGATE(wide[at + 1])
                ? 2
                : 1;
        char bytes[8];
        BOOL usedDefault = FALSE;
        const int length =
            WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &wide[at], static_cast<int>(units),
                                bytes, sizeof bytes, nullptr, &usedDefault);
        if (length <= 0 || usedDefault) {
            const std::string character = Utf8Of(wide.substr(at, units));
            if (text.unstorable.find(character) == std::string::npos) {
                text.unstorable += character;
            }
        } else {
            text.bytes.append(bytes, static_cast<std::size_t>(length));
        }
        at += units;
    }
    return text;
}

std::string Utf8OfAnsi(const std::string& ansi) {
    const int length =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), length);
    return Utf8Of(wide);
}

}  // namespace quillory
