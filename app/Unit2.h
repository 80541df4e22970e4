#pragma once

#include "app/ids.h"
#include "app/messages.h"
#include "app/toolkit/TButton.h"
#include "app/toolkit/TForm.h"
#include "app/toolkit/TLabel.h"
#include "app/toolkit/TPanel.h"

namespace quillory {

// The About box: product, version, author's addresses and a note on the next version.
class TAboutBox : public TForm {
public:
    TAboutBox();

    // The controls in their stacking order; the labels are placed relative to Panel1, with
    // the cell height of their font where it is not the window's.
    TPanel Panel1{*this, {8, 8, 281, 168}};
    TLabel ProductName{Panel1, {10, 10, 0, 0}, captions::kProductName, 16};
    TLabel Version{Panel1, {10, 33, 0, 0}, captions::kVersion};
    TLabel Label2{Panel1, {65, 85, 0, 0}, captions::kAddress, 15};
    TLabel Comments{Panel1, {8, 117, 243, 0}, captions::kSite, 15};
    TLabel Label3{Panel1, {7, 137, 0, 0}, captions::kNextVersion1};
    TLabel Label1{Panel1, {7, 150, 0, 0}, captions::kNextVersion2};
    TButton OKButton{
        *this, ids::kOKButton, {111, 187, 75, 24}, captions::kOk, TButton::Kind::Default};

    void OKButtonClick();
};

}  // namespace quillory
