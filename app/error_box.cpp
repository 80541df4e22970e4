#include "app/error_box.h"

#include "platform/error.h"

namespace quillory {

void ShowErrorBox(Ui& ui, const std::exception& error) {
    ui.MessageBox(ui.ApplicationWindow(), errorBoxText(error.what()), kApplicationTitle,
                  kMbOk | kMbIconStop | kMbTaskModal);
}

}  // namespace quillory
