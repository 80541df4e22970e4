#include "app/toolkit/TControl.h"

#include "app/toolkit/TForm.h"
#include "app/toolkit/TPanel.h"

namespace quillory {

TControl::TControl(TForm& form, int id, Place place, bool tabStop)
    : Id(id),
      Left(place.Left),
      Top(place.Top),
      Width(place.Width),
      Height(place.Height),
      TabStop(tabStop) {
    form.Add(*this);
}

TControl::TControl(TPanel& panel, int id, Place place, bool tabStop)
    : TControl(panel.Form, id,
               {panel.Left + place.Left, panel.Top + place.Top, place.Width, place.Height},
               tabStop) {}

void TForm::Close() {
    closed_ = true;
    if (destroy_) {
        destroy_();
    }
}

}  // namespace quillory
