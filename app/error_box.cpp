#include "app/error_box.h"

#include "app/messages.h"

namespace quillory {

void ShowErrorBox(Ui& ui, const std::exception& error) {
    ui.ShowMessageBox(ui.ApplicationWindow(), messages::ErrorBoxText(error),
                      messages::kApplicationTitle, kMbOk | kMbIconStop | kMbTaskModal);
}

}  // namespace quillory
