#pragma once

#include <vector>

#include "app/toolkit/TControl.h"

namespace quillory {

// A sound drawn as its waveform: one peak a column, the part that is kept between two columns
// against the ends that are not, and a line where it plays.
class TWaveView : public TControl {
public:
    struct Picture {
        std::vector<int> Peaks;        // 0 to 32768, one for each column from the left
        int KeptFrom = 0, KeptTo = 0;  // the kept columns: KeptFrom up to, not with, KeptTo
        int Position = -1;             // the column that plays; -1: none
        int Columns = 0;               // the columns it was made for; 0: the view's own
        bool operator==(const Picture&) const = default;
    };

    class Widget {
    public:
        virtual ~Widget() = default;
        virtual const Picture& Shown() const = 0;
        virtual void Show(const Picture& picture) = 0;
        // The columns inside the frame on the screen; 0 where there is no screen.
        virtual int Columns() const { return 0; }
    };

    TWaveView(TForm& form, int id, Place place) : TControl(form, id, place, false) {}

    // The columns inside the frame: on a screen of another scale than the design's, as many as
    // it shows there.
    int Columns() const {
        const int shown = widget->Columns();
        return shown > 0 ? shown : Width > 2 ? Width - 2 : 0;
    }
    const Picture& Shown() const { return widget->Shown(); }
    // Draws the picture again only when it changed.
    void Show(const Picture& picture) {
        if (!(picture == Shown())) {
            widget->Show(picture);
        }
    }

private:
    class Plain : public Widget {
    public:
        Plain() = default;
        explicit Plain(const Widget& from) : picture_(from.Shown()) {}
        const Picture& Shown() const override { return picture_; }
        void Show(const Picture& picture) override { picture_ = picture; }

    private:
        Picture picture_;
    };

public:
    WidgetSlot<Widget, Plain> widget;
};

}  // namespace quillory
