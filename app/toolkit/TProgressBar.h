#pragma once

#include "app/toolkit/TControl.h"

namespace quillory {

class TProgressBar : public TControl {
public:
    using TControl::TControl;

    int Position() const { return position_; }
    void SetPosition(int position);
    int Max() const { return max_; }
    void SetMax(int max);

    // Mirrors range and position into a newly attached native bar.
    void Refresh();

private:
    int position_ = 0;
    int max_ = 100;
};

}  // namespace quillory
