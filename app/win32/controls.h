#pragma once

#include <windows.h>

#include "app/toolkit/TButton.h"
#include "app/toolkit/TComboBox.h"
#include "app/toolkit/TEdit.h"
#include "app/toolkit/TLabel.h"
#include "app/toolkit/TProgressBar.h"

namespace quillory {

// Native child windows for the components of a form. Each function creates the control at the
// component's place (moved by `origin` when the component sits on a panel), with its caption,
// its tab stop and `font`, attaches the new window to the component, mirrors the component's
// state into it and returns it. `id` is the control id that its notifications carry.

HWND CreateLabel(HWND parent, int id, TLabel& label, HFONT font, POINT origin = {});

// A push button; a default button is drawn as such. A speed button, which has no tab order,
// never takes the focus (see NeverTakeFocus).
HWND CreateButton(HWND parent, int id, TButton& button, HFONT font);

// A single-line edit without a length limit.
HWND CreateEdit(HWND parent, int id, TEdit& edit, HFONT font);

// A drop-down list without an edit field whose entries the parent draws (WM_DRAWITEM), all
// `itemHeight` high, `visibleItems` of them shown when open. The parent must answer
// WM_MEASUREITEM with `itemHeight`: the list asks while it is being created.
HWND CreateDropDownList(HWND parent, int id, TComboBox& combo, HFONT font, int itemHeight,
                        int visibleItems);

HWND CreateProgressBar(HWND parent, int id, TProgressBar& bar);

}  // namespace quillory
