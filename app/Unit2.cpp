#include "app/Unit2.h"

namespace quillory {

TAboutBox::TAboutBox() : TForm("About", 298, 218) {
    ProductName.FontHeight = 16;
    Label2.FontHeight = 15;
    Comments.FontHeight = 15;
    OKButton.Default = true;
    OKButton.TabOrder = 1;
    OKButton.OnClick = [this] { OKButtonClick(); };
}

void TAboutBox::OKButtonClick() { ModalResult = 1; }

}  // namespace quillory
