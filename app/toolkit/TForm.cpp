#include "app/toolkit/TForm.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillory {

void TForm::Close() {
    closed_ = true;
#ifdef _WIN32
    if (handle_) {
        DestroyWindow(static_cast<HWND>(handle_));
    }
#endif
}

}  // namespace quillory
