#pragma once

// The native controls behind the components' widgets: each keeps its state in the control
// itself, but for the list of texts (see NativeComboBox).
#include <string>
#include <vector>

#include <windows.h>

#include "app/toolkit/TComboBox.h"
#include "app/toolkit/TEdit.h"
#include "app/toolkit/TLabel.h"
#include "app/toolkit/TProgressBar.h"
#include "app/toolkit/TTimer.h"

namespace quillory {

class NativeLabel : public TextWidget {
public:
    explicit NativeLabel(HWND label) : label_(label) {}
    std::string Text() const override;
    // Sets the text and sizes the label to it, in its own font.
    void SetText(const std::string& caption) override;

private:
    HWND label_;
};

class NativeEdit : public TextWidget {
public:
    explicit NativeEdit(HWND edit) : edit_(edit) {}
    std::string Text() const override;
    void SetText(const std::string& text) override;

private:
    HWND edit_;
};

// The selection and the marks (each entry's data) live in the native list. The texts are the
// game's byte strings, which the native list, holding UTF-16, cannot keep exactly in every code
// page: they are kept here, and the native entries only show them to tools that read the list.
class NativeComboBox : public TComboBox::Widget {
public:
    // Fills the native list with the entries and the selection of `from`.
    NativeComboBox(HWND list, const TComboBox::Widget& from);
    int Count() const override { return static_cast<int>(texts_.size()); }
    std::string Item(int index) const override { return texts_[static_cast<std::size_t>(index)]; }
    void Add(const std::string& text) override;
    void SetItem(int index, const std::string& text) override;
    int ItemIndex() const override;
    void SetItemIndex(int index) override;
    bool Marked(int index) const override;
    void SetMarked(int index, bool marked) override;

private:
    HWND list_;
    std::vector<std::string> texts_;
};

class NativeProgressBar : public TProgressBar::Widget {
public:
    explicit NativeProgressBar(HWND bar) : bar_(bar) {}
    int Position() const override;
    void SetPosition(int position) override;
    int Max() const override;
    void SetMax(int max) override;

private:
    HWND bar_;
};

// A timer of a window. Windows cannot be asked whether a timer runs, so this keeps the flag.
class NativeTimer : public EnabledWidget {
public:
    NativeTimer(HWND window, UINT_PTR id, unsigned interval, bool enabled);
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;

private:
    HWND window_;
    UINT_PTR id_;
    unsigned interval_;
    bool enabled_ = false;
};

}  // namespace quillory
