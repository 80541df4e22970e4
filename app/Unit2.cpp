#include "app/Unit2.h"

namespace quillory {

TAboutBox::TAboutBox() : TForm(ids::kAboutBoxClass, "About", 298, 218, 11, Border::Dialog) {
    OKButton.OnClick = [this] { OKButtonClick(); };
}

void TAboutBox::OKButtonClick() { ModalResult = 1; }

}  // namespace quillory
