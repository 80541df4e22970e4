#include "app/error_box.h"

#include "app/messages.h"
#include "platform/error.h"

namespace quillory {

void ShowErrorBox(Ui& ui, const std::exception& error) {
    ui.ShowMessageBox(ui.ApplicationWindow(), errorBoxText(error.what()),
                      messages::kApplicationTitle, kMbOk | kMbIconStop | kMbTaskModal);
}

}  // namespace quillory
