#pragma once

#include "app/toolkit/TButton.h"
#include "app/toolkit/TForm.h"
#include "app/toolkit/TLabel.h"

namespace quillory {

// The About box: product, version, author's addresses and a note on the next version.
class TAboutBox : public TForm {
public:
    TAboutBox();

    TLabel ProductName{"ProductName", 10, 10, 0, 0, "Quillory"};
    TLabel Version{"Version", 10, 33, 0, 0, "Version 0.3"};
    TLabel Label2{"Label2", 65, 85, 0, 0, "quillory@example.org"};
    TLabel Comments{"Comments", 8, 117, 243, 0, "http://quillory.example.org/"};
    TLabel Label3{"Label3", 7, 137, 0, 0, "I'll try to have the next version to change also"};
    TLabel Label1{"Label1", 7, 150, 0, 0, "Prophecy's comms."};
    TButton OKButton{"OKButton", TButton::Kind::Push, "OK", 111, 187, 75, 24};

    void OKButtonClick();
    // The modal result: 1 (OK) or 2 (closed by the title bar); 0 while shown.
    int ModalResult = 0;
};

}  // namespace quillory
