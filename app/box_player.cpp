#include "app/box_player.h"

#include "app/error_box.h"
#include "app/messages.h"

namespace quillory {
namespace {

// Where the progress bar stands once the file was recognised, and once the header is written.
constexpr int kRecognised = 1;
constexpr int kHeaderWritten = 5;

}  // namespace

bool BoxPlayer::Confirm(Confirmation question, const ConversionAsked& sound) {
    const messages::Box box = messages::ConfirmationBox(question, sound);
    const bool aboutFile =
        question == Confirmation::Save || question == Confirmation::OverwriteUnread ||
        question == Confirmation::OverwriteChanged || question == Confirmation::Revert;
    return ui_.ShowMessageBox(aboutFile ? fileOwner_ : form_.Handle(), box.text, box.caption,
                              box.style) == kIdOk;
}

Answer BoxPlayer::AskSaveFirst(SaveFirst when) { return Ask(messages::SaveFirstBox(when)); }

Answer BoxPlayer::AskApplyTyped() { return Ask(messages::ApplyTypedBox()); }

Answer BoxPlayer::Ask(const messages::Box& box) {
    switch (ui_.ShowMessageBox(form_.Handle(), box.text, box.caption, box.style)) {
        case kIdYes:
            return Answer::Yes;
        case kIdNo:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

void BoxPlayer::Tell(Notice notice, const std::vector<std::string>& details) {
    const messages::Box box = messages::NoticeBox(notice, details);
    ui_.ShowMessageBox(form_.Handle(), box.text, box.caption, box.style);
    if (notice == Notice::Done && bar_) {
        bar_->SetMax(100);
        SetBar(0);
    }
}

void BoxPlayer::ShowError(const std::exception& error) { ShowErrorBox(ui_, error); }

void BoxPlayer::SoundRecognised() { SetBar(kRecognised); }

void BoxPlayer::WorkBegins() {
    // The window takes no input, so that nothing else starts, but it answers and repaints.
    form_.SetEnabled(false);
}

void BoxPlayer::WorkProgress(std::uint64_t done, std::uint64_t total) {
    if (bar_) {
        const int span = bar_->Max() - kHeaderWritten;
        SetBar(kHeaderWritten + (total == 0 ? 0 : static_cast<int>(span * done / total)));
    }
    ui_.ProcessMessages();
}

void BoxPlayer::WorkEnds(bool written) {
    form_.SetEnabled(true);
    if (bar_) {
        SetBar(written ? bar_->Max() : 0);
    }
}

void BoxPlayer::SetBar(int position) {
    if (bar_) {
        bar_->SetPosition(position);
    }
}

}  // namespace quillory
