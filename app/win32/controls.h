#pragma once

#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "app/toolkit/TForm.h"
#include "app/win32/font.h"

namespace quillory {

// Creates the native child window of each control of `form` in `parent`, in the form's
// stacking order: at the control's place, with its caption, its tab stop and its font (the
// form's `fontHeight`, or a label's own), showing the component's state so far, and puts the
// native window in charge of that state. Bevels and panels have no window: the form's window
// draws them (PaintFrames). The button images go to `glyphs`, for the caller to destroy after
// the buttons.
void CreateControls(HWND parent, TForm& form, Fonts& fonts, int fontHeight,
                    std::vector<HIMAGELIST>& glyphs);

// Draws the form's bevels and panel borders.
void PaintFrames(HDC dc, TForm& form);

// The controls are gone with their window: their last state stays with the components.
void DetachControls(TForm& form);

}  // namespace quillory
