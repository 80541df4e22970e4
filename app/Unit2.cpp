#include "app/Unit2.h"

namespace quillory {

TAboutBox::TAboutBox() : TForm("About", 298, 218) {
    OKButton.OnClick = [this] { OKButtonClick(); };
}

void TAboutBox::OKButtonClick() { ModalResult = 1; }

}  // namespace quillory
