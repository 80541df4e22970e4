#include <windows.h>

#include "platform/text.h"
#include "platform/wide_win32.h"

namespace quillory {
namespace {

constexpr DWORD kToAnsi = WC_COMPOSITECHECK | WC_NO_BEST_FIT_CHARS;

// The ANSI bytes of `wide` when the code page holds all of it, composed characters included.
bool Encode(const wchar_t* wide, std::size_t units, std::string& bytes) {
    if (units == 0) {
        return true;
    }
    const int count = static_cast<int>(units);
    BOOL usedDefault = FALSE;
    const int length =
        WideCharToMultiByte(CP_ACP, kToAnsi, wide, count, nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) {
        return false;
    }
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, kToAnsi, wide, count, out.data(), length, nullptr, nullptr);
    bytes += out;
    return true;
}

bool IsCombining(wchar_t unit) {
    WORD type = 0;
    return GetStringTypeW(CT_CTYPE3, &unit, 1, &type) && (type & C3_NONSPACING);
}

// The units of the character at `at`: a surrogate pair is one character.
std::size_t CharacterUnits(const std::wstring& wide, std::size_t at) {
    return at + 1 < wide.size() && IS_HIGH_SURROGATE(wide[at]) && IS_LOW_SURROGATE(wide[at + 1])
               ? 2
               : 1;
}

}  // namespace

AnsiText AnsiOf(const std::string& utf8) {
    if (GetACP() == CP_UTF8) {
        return {utf8, {}};
    }
    const std::wstring wide = WideOf(utf8);
    AnsiText text;
    for (std::size_t at = 0; at < wide.size();) {
        // A base character with the marks that follow it: "e" + U+0301 is the code page's é.
        std::size_t end = at + CharacterUnits(wide, at);
        while (end < wide.size() && IsCombining(wide[end])) {
            ++end;
        }
        if (!Encode(&wide[at], end - at, text.bytes)) {
            // Each character on its own: what the code page cannot hold is named once.
            for (std::size_t one = at; one < end;) {
                const std::size_t units = CharacterUnits(wide, one);
                if (!Encode(&wide[one], units, text.bytes)) {
                    const std::string character = Utf8Of(wide.substr(one, units));
                    if (text.unstorable.find(character) == std::string::npos) {
                        text.unstorable += character;
                    }
                }
                one += units;
            }
        }
        at = end;
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
