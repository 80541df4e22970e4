#include "app/toolkit/TEdit.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillory {

std::string TEdit::Text() const {
#ifdef _WIN32
    if (handle_) {
        const auto hwnd = static_cast<HWND>(handle_);
        std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
        return text;
    }
#endif
    return text_;
}

void TEdit::SetText(const std::string& text) {
    text_ = text;
#ifdef _WIN32
    if (handle_) {
        SetWindowTextA(static_cast<HWND>(handle_), text.c_str());
    }
#endif
}

}  // namespace quillory
