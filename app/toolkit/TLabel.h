#pragma once

#include <string>

#include "app/toolkit/TControl.h"

namespace quillory {

// A static text that sizes itself to its caption.
class TLabel : public TControl {
public:
    TLabel(std::string name, int left, int top, int width, int height, std::string caption = {})
        : TControl(std::move(name), left, top, width, height), caption_(std::move(caption)) {}

    // Cell height in pixels of the label's own font; 0 for the form's font.
    int FontHeight = 0;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    // Sets Width and Height to the caption's extent in the native window's font.
    void AutoSize();

private:
    std::string caption_;
};

}  // namespace quillory
