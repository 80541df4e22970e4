#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/toolkit/TControl.h"

namespace quillory {

// A drop-down list without an edit field, whose entries it draws itself.
class TComboBox : public TControl {
public:
    class Widget {
    public:
        virtual ~Widget() = default;
        virtual int Count() const = 0;
        // The entry's text; `index` is within the list.
        virtual std::string Item(int index) const = 0;
        virtual void Add(const std::string& text) = 0;
        // Replaces the entry's text; the selection stays where it was.
        virtual void SetItem(int index, const std::string& text) = 0;
        // -1: no entry selected.
        virtual int ItemIndex() const = 0;
        virtual void SetItemIndex(int index) = 0;
        // The entry's marks (TComboBox::Mark bits), which the list draws beside its text.
        virtual unsigned Marks(int index) const = 0;
        virtual void SetMarks(int index, unsigned marks) = 0;
        // While on, changes are not drawn; when it goes off, the list is drawn once anew.
        virtual void SetUpdating(bool updating) = 0;
    };

    // Every entry `itemHeight` pixels high; at most `dropDownCount` of them shown when open.
    TComboBox(TForm& form, int id, Place place, int itemHeight, int dropDownCount)
        : TControl(form, id, place, true), ItemHeight(itemHeight), DropDownCount(dropDownCount) {}

    const int ItemHeight;
    const int DropDownCount;

    int Count() const { return widget->Count(); }
    // The entry's text; an empty text outside the list.
    std::string Items(int index) const {
        return index >= 0 && index < Count() ? widget->Item(index) : std::string();
    }
    void Add(const std::string& text) { widget->Add(text); }
    // Replaces the entry's text; the selection stays where it was. Nothing outside the list.
    void SetItem(int index, const std::string& text) {
        if (index >= 0 && index < Count()) {
            widget->SetItem(index, text);
        }
    }

    // Marks drawn at the right end of an entry's line; an entry outside the list has none.
    enum Mark : unsigned {
        Voice = 1,    // a small speaker
        Changed = 2,  // a small pencil
    };
    bool Marked(int index, Mark mark = Voice) const {
        return index >= 0 && index < Count() && (widget->Marks(index) & mark) != 0;
    }
    void SetMarked(int index, bool marked, Mark mark = Voice) {
        if (index >= 0 && index < Count() && Marked(index, mark) != marked) {
            widget->SetMarks(index, widget->Marks(index) ^ mark);
        }
    }

    // Many changes, drawn once when the last of them is made.
    class Update {
    public:
        explicit Update(TComboBox& combo) : combo_(combo) { combo_.widget->SetUpdating(true); }
        ~Update() { combo_.widget->SetUpdating(false); }
        Update(const Update&) = delete;
        Update& operator=(const Update&) = delete;

    private:
        TComboBox& combo_;
    };

    int ItemIndex() const { return widget->ItemIndex(); }
    // Selects from code: OnChange does not run. An index outside the list selects nothing.
    void SetItemIndex(int index) {
        widget->SetItemIndex(index >= 0 && index < Count() ? index : -1);
    }

    // Run when the user changes the selection.
    std::function<void()> OnChange;
    // The user picked the entry `index` (the native list has selected it already).
    void UserSelected(int index) {
        if (index < 0 || index >= Count()) {
            return;
        }
        if (ItemIndex() != index) {
            widget->SetItemIndex(index);
        }
        if (OnChange) {
            OnChange();
        }
    }

private:
    class Plain : public Widget {
    public:
        Plain() = default;
        explicit Plain(const Widget& from) : index_(from.ItemIndex()) {
            for (int i = 0; i < from.Count(); ++i) {
                items_.push_back(from.Item(i));
                marks_.push_back(from.Marks(i));
            }
        }
        int Count() const override { return static_cast<int>(items_.size()); }
        std::string Item(int index) const override {
            return items_[static_cast<std::size_t>(index)];
        }
        void Add(const std::string& text) override {
            items_.push_back(text);
            marks_.push_back(0);
        }
        void SetItem(int index, const std::string& text) override {
            items_[static_cast<std::size_t>(index)] = text;
        }
        int ItemIndex() const override { return index_; }
        void SetItemIndex(int index) override { index_ = index; }
        unsigned Marks(int index) const override { return marks_[static_cast<std::size_t>(index)]; }
        void SetMarks(int index, unsigned marks) override {
            marks_[static_cast<std::size_t>(index)] = marks;
        }
        void SetUpdating(bool) override {}

    private:
        std::vector<std::string> items_;
        std::vector<unsigned> marks_;
        int index_ = -1;
    };

public:
    WidgetSlot<Widget, Plain> widget;
};

}  // namespace quillory
