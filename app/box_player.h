#pragma once

// The game session's questions and notices as message boxes of a form, and its long writes on
// the form's progress bar.
#include "app/messages.h"
#include "app/toolkit/TForm.h"
#include "app/toolkit/TProgressBar.h"
#include "app/toolkit/Ui.h"
#include "game/player.h"

namespace quillory {

class BoxPlayer : public Player {
public:
    // The boxes are owned by `form`'s window, the questions about the text file by `fileOwner`.
    // `bar` may be null: a form without one.
    BoxPlayer(Ui& ui, TForm& form, const WindowHandle& fileOwner, TProgressBar* bar)
        : ui_(ui), form_(form), fileOwner_(fileOwner), bar_(bar) {}

    bool Confirm(Confirmation question, const ConversionAsked& sound) override;
    Answer AskSaveFirst(SaveFirst when) override;
    Answer AskApplyTyped() override;
    void Tell(Notice notice, const std::vector<std::string>& details) override;
    void ShowError(const std::exception& error) override;
    void SoundRecognised() override;
    void WorkBegins() override;
    void WorkProgress(std::uint64_t done, std::uint64_t total) override;
    void WorkEnds(bool written) override;

private:
    Answer Ask(const messages::Box& box);
    void SetBar(int position);

    Ui& ui_;
    TForm& form_;
    const WindowHandle& fileOwner_;
    TProgressBar* bar_;
};

}  // namespace quillory
