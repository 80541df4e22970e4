#include "app/Unit3.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "game/take.h"

namespace quillory {
namespace {

using namespace messages;

// The meter shows the peak of the last 50 ms, from -60 dBFS (empty) to full scale.
constexpr std::size_t kMeterBytes = kTakeFormat.rate / 20 * kTakeFrameBytes;
constexpr double kMeterFloorDb = -60.0;

int MeterLevel(int peak, int max) {
    if (peak <= 0) {
        return 0;
    }
    const double db = 20.0 * std::log10(peak / 32768.0);
    return std::max(0, static_cast<int>(std::lround(max * (1.0 - db / kMeterFloorDb))));
}

}  // namespace

TRecordBox::TRecordBox(Microphone& microphone, Sound& sound, Ui& ui)
    : TForm(ids::kRecordBoxClass, captions::kRecordBox, 369, 193, 13, Border::Dialog),
      microphone_(microphone),
      sound_(sound),
      ui_(ui) {
    OnCloseQuery = [this] { return FormCloseQuery(); };
    RecordBtn.OnClick = [this] { RecordBtnClick(); };
    PlayBtn.OnClick = [this] { PlayBtnClick(); };
    KeepBtn.OnClick = [this] { KeepBtnClick(); };
    CancelBtn.OnClick = [this] { CancelBtnClick(); };
    Timer1.OnTimer = [this] { Timer1Timer(); };
}

void TRecordBox::Prepare(const std::string& text, bool hasVoice, KeepVoice keep) {
    Finish();
    keep_ = std::move(keep);
    ModalResult = 0;
    Phrase.SetText(text);
    VoiceNote.SetCaption(hasVoice ? kVoiceReplaced : "");
    ShowTake();
}

void TRecordBox::RecordBtnClick() {
    if (recording_) {
        StopRecording();
    } else {
        StartRecording();
    }
}

void TRecordBox::StartRecording() {
    Finish();
    switch (microphone_.Start(kTakeFormat)) {
        case Microphone::Outcome::Recording:
            recording_ = true;
            RecordBtn.SetCaption(captions::kStop);
            Timer1.SetEnabled(true);
            ShowTake();
            return;
        case Microphone::Outcome::NoDevice:
            Warn(kNoMicrophone);
            return;
        case Microphone::Outcome::Failed:
            Warn(kMicrophoneFailed);
            return;
    }
}

void TRecordBox::Timer1Timer() {
    if (!recording_) {
        return;
    }
    if (!microphone_.Collect(take_)) {
        Fail();
    } else if (take_.size() >= kLongestTakeBytes) {
        StopRecording();
    } else {
        ShowTake();
    }
}

void TRecordBox::EndRecording() {
    microphone_.Stop();
    recording_ = false;
    Timer1.SetEnabled(false);
    RecordBtn.SetCaption(captions::kRecord);
}

bool TRecordBox::StopRecording() {
    EndRecording();
    if (!microphone_.Collect(take_)) {
        Fail();
        return false;
    }
    take_.resize(std::min(take_.size(), kLongestTakeBytes));
    ShowTake();
    return true;
}

void TRecordBox::Fail() {
    Finish();
    ShowTake();
    Warn(kMicrophoneFailed);
}

void TRecordBox::Finish() {
    if (recording_) {
        EndRecording();
    }
    if (!take_.empty()) {
        sound_.Stop();
    }
    take_.clear();
}

std::string_view TRecordBox::KeptPart() const {
    const std::string_view take = take_;
    const std::optional<TakePart> heard = AudiblePart(take);
    return heard && Trim.Checked() ? take.substr(heard->offset, heard->size) : take;
}

void TRecordBox::ShowTake() {
    // Each tick while recording: only what changed is drawn again.
    const std::size_t tail = std::min(take_.size(), kMeterBytes);
    const int level =
        recording_
            ? MeterLevel(PeakOf(std::string_view(take_).substr(take_.size() - tail)), Meter.Max())
            : 0;
    if (Meter.Position() != level) {
        Meter.SetPosition(level);
    }
    Length.SetCaption(TakeLength(TakeMilliseconds(take_.size())));
    const bool taken = !recording_ && !take_.empty();
    if (PlayBtn.Enabled() != taken) {
        PlayBtn.SetEnabled(taken);
        KeepBtn.SetEnabled(taken);
    }
}

void TRecordBox::PlayBtnClick() {
    if (recording_ || take_.empty()) {
        return;
    }
    // The take through the program's sound output.
    if (const std::optional<Notice> trouble = PlayNotice(
            sound_.Play(kTakeFormat, std::make_unique<MemorySamples>(std::string(KeptPart()))))) {
        Warn(NoticeBox(*trouble, {}).text);
    }
}

void TRecordBox::KeepBtnClick() {
    if (recording_ && !StopRecording()) {
        return;
    }
    if (!AudiblePart(take_)) {
        Warn(kNothingHeard);
        return;
    }
    sound_.Stop();
    keep_(KeptPart());
    Finish();
    ModalResult = kModalOk;
}

void TRecordBox::CancelBtnClick() {
    if (!MayDiscard()) {
        return;
    }
    Finish();
    ModalResult = kModalCancel;
}

bool TRecordBox::FormCloseQuery() {
    if (!MayDiscard()) {
        return false;
    }
    Finish();
    return true;
}

bool TRecordBox::MayDiscard() {
    // A take that was kept is gone from the box: whatever it holds was not.
    return take_.empty() ||
           ui_.ShowMessageBox(Handle(), kDiscardTake, "",
                              kMbOkCancel | kMbIconQuestion | kMbDefButton2) == kIdOk;
}

void TRecordBox::Warn(const std::string& text) {
    ui_.ShowMessageBox(Handle(), text, kErrorCaption, kMbOk | kMbIconWarning);
}

}  // namespace quillory
