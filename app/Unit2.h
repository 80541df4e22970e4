#pragma once

#include "app/toolkit/TButton.h"
#include "app/toolkit/TForm.h"
#include "app/toolkit/TLabel.h"
#include "app/toolkit/TPanel.h"

namespace quillory {

// The About box: product, version, author's addresses and a note on the next version.
class TAboutBox : public TForm {
public:
    TAboutBox();

    TPanel Panel1{"Panel1", 8, 8, 281, 168};
    // The labels' places are relative to Panel1.
    TLabel ProductName{"ProductName", 10, 10, 0, 0, "Quillory"};
    TLabel Version{"Version", 10, 33, 0, 0, "Version 0.3"};
    TLabel Label2{"Label2", 65, 85, 0, 0, "quillory@example.org"};
    TLabel Comments{"Comments", 8, 117, 243, 0, "http://quillory.example.org/"};
    TLabel Label3{"Label3", 7, 137, 0, 0, "I'll try to have the next version to change also"};
    TLabel Label1{"Label1", 7, 150, 0, 0, "Prophecy's comms."};
    TButton OKButton{"OKButton", TButton::Kind::Push, "OK", 111, 187, 75, 24};

    void OKButtonClick();
};

}  // namespace quillory
