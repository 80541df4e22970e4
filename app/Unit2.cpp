#include "app/Unit2.h"

namespace quillory {

TAboutBox::TAboutBox()
    : TForm(ids::kAboutBoxClass, captions::kAboutCaption, 298, 218, 11, Border::Dialog) {
    OKButton.OnClick = [this] { OKButtonClick(); };
}

void TAboutBox::OKButtonClick() { ModalResult = kModalOk; }

}  // namespace quillory
