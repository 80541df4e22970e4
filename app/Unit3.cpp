#include "app/Unit3.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace quillory {
namespace {

using namespace messages;

// The meter shows the peak of the last 50 ms, from -60 dBFS (empty) to full scale; the peak
// beside it holds the highest for a second.
constexpr std::size_t kMeterBytes = kTakeFormat.rate / 20 * kTakeFrameBytes;
constexpr double kMeterFloorDb = -60.0;
constexpr unsigned kHoldMilliseconds = 1000;
// While it records, the waveform grows from the left over 10 s, then 20 s...: what was drawn
// stays where it is. 10 ms windows.
constexpr std::size_t kRecordingSpan = 1000;

int MeterLevel(int peak, int max) {
    if (peak <= 0) {
        return 0;
    }
    const double db = 20.0 * std::log10(peak / 32768.0);
    return std::max(0, static_cast<int>(std::lround(max * (1.0 - db / kMeterFloorDb))));
}

// The column of `bytes` into a take of `total` bytes drawn in `columns`.
int ColumnOf(std::size_t bytes, std::size_t total, int columns) {
    return total == 0
               ? 0
               : static_cast<int>(std::uint64_t{bytes} * static_cast<unsigned>(columns) / total);
}

}  // namespace

TRecordBox::TRecordBox(Microphone& microphone, Sound& sound, Ui& ui)
    : TForm(ids::kRecordBoxClass, captions::kRecordBox, 504, 285, 13, Border::Dialog),
      microphone_(microphone),
      sound_(sound),
      ui_(ui) {
    OnCloseQuery = [this] { return FormCloseQuery(); };
    RecordBtn.OnClick = [this] { RecordBtnClick(); };
    PlayBtn.OnClick = [this] { PlayBtnClick(); };
    KeepBtn.OnClick = [this] { KeepBtnClick(); };
    KeepNextBtn.OnClick = [this] { KeepNextBtnClick(); };
    NextBtn.OnClick = [this] { NextBtnClick(); };
    CancelBtn.OnClick = [this] { CancelBtnClick(); };
    Trim.OnClick = [this] { TrimClick(); };
    Timer1.OnTimer = [this] { Timer1Timer(); };
}

void TRecordBox::Prepare(const Message& message, KeepVoice keep) {
    Finish();
    keep_ = std::move(keep);
    message_ = message;
    ModalResult = 0;
    SetCaption(RecordBoxCaption(message.Number, message.Count));
    Phrase.SetText(message.Text);
    VoiceNote.SetCaption(message.HasVoice ? kVoiceReplaced : "");
    NextBtn.SetEnabled(message.Number < message.Count);
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
            hold_ = holdTicks_ = 0;
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
    if (playing_) {
        if (!sound_.Playing()) {
            StopPlaying();
        }
        ShowWave();
    }
    if (!recording_) {
        return;
    }
    const std::size_t had = take_.size();
    if (!microphone_.Collect(take_)) {
        Fail();
    } else if (take_.size() >= kLongestTakeBytes) {
        StopRecording();
    } else if (take_.size() != had) {
        // A tick that brought nothing new leaves the box as it is.
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

void TRecordBox::StopPlaying() {
    sound_.Stop();
    playing_ = false;
    Timer1.SetEnabled(recording_);
    PlayBtn.SetCaption(captions::kPlay);
}

void TRecordBox::Finish() {
    if (recording_) {
        EndRecording();
    }
    if (!take_.empty()) {
        StopPlaying();
    }
    take_.clear();
    windowPeaks_.clear();
}

TakePart TRecordBox::KeptPlace() const {
    const std::optional<TakePart> heard = AudiblePart(take_);
    return heard && Trim.Checked() ? *heard : TakePart{0, take_.size()};
}

std::string TRecordBox::KeptPart() const {
    const TakePart place = KeptPlace();
    const std::string_view kept = std::string_view(take_).substr(place.offset, place.size);
    return Even.Checked() ? EvenedOut(kept) : std::string(kept);
}

void TRecordBox::ShowTake() {
    // Each tick while recording: only what changed is drawn again.
    const std::string_view take = take_;
    const int peak = PeakOf(take.substr(take.size() - std::min(take.size(), kMeterBytes)));
    if (recording_ && (peak >= hold_ ||
                       static_cast<unsigned>(++holdTicks_) * Timer1.Interval > kHoldMilliseconds)) {
        hold_ = peak;
        holdTicks_ = 0;
    }
    const int level = recording_ ? MeterLevel(peak, Meter.Max()) : 0;
    if (Meter.Position() != level) {
        Meter.SetPosition(level);
    }
    const bool taken = !recording_ && !take_.empty();
    const bool heard = taken && AudiblePart(take_);
    Peak.SetCaption(recording_ ? PeakLevel(hold_) : taken ? PeakLevel(PeakOf(take_)) : "");
    // While it records, the length goes by whole seconds: each new text costs the label a
    // measure and a repaint.
    const std::uint64_t milliseconds = TakeMilliseconds(take_.size());
    Length.SetCaption(taken ? KeptLength(TakeMilliseconds(KeptPlace().size), milliseconds)
                            : TakeLength(recording_ ? milliseconds / 1000 * 1000 : milliseconds));
    TakeNote.SetCaption(!taken ? "" : !heard ? kNothingHeard : Clipped(take_) ? kClipped : "");
    StopNote.SetCaption(taken && take_.size() >= kLongestTakeBytes ? kStoppedAtLongest : "");
    if (PlayBtn.Enabled() != taken) {
        PlayBtn.SetEnabled(taken);
    }
    if (KeepBtn.Enabled() != heard) {
        KeepBtn.SetEnabled(heard);
        KeepNextBtn.SetEnabled(heard);
    }
    ShowWave();
}

void TRecordBox::ShowWave() {
    AddWindowPeaks(take_, windowPeaks_);
    const std::size_t span =
        recording_ ? (windowPeaks_.size() / kRecordingSpan + 1) * kRecordingSpan : 0;
    TWaveView::Picture picture{ColumnPeaks(windowPeaks_, span, Wave.Columns())};
    const int columns = static_cast<int>(picture.Peaks.size());
    picture.KeptTo = picture.Columns = Wave.Columns();
    if (!recording_ && !take_.empty()) {
        const TakePart kept = KeptPlace();
        picture.KeptFrom = ColumnOf(kept.offset, take_.size(), columns);
        // The last column that holds any of it.
        picture.KeptTo = static_cast<int>(
            (std::uint64_t{kept.offset + kept.size} * static_cast<unsigned>(columns) +
             take_.size() - 1) /
            take_.size());
        if (playing_) {
            // Where the sound output is, by the time it has played.
            const auto played = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - playStart_);
            const std::size_t bytes = static_cast<std::size_t>(played.count()) * kTakeFormat.rate /
                                      1000 * kTakeFrameBytes;
            picture.Position =
                std::min(picture.KeptTo - 1,
                         ColumnOf(kept.offset + std::min(bytes, kept.size), take_.size(), columns));
        }
    }
    Wave.Show(picture);
}

void TRecordBox::TrimClick() { ShowTake(); }

void TRecordBox::PlayBtnClick() {
    if (playing_) {
        StopPlaying();
        ShowWave();
        return;
    }
    if (recording_ || take_.empty()) {
        return;
    }
    // The take through the program's sound output.
    if (const std::optional<Notice> trouble =
            PlayNotice(sound_.Play(kTakeFormat, std::make_unique<MemorySamples>(KeptPart())))) {
        Warn(NoticeBox(*trouble, {}).text);
        return;
    }
    playing_ = true;
    playStart_ = std::chrono::steady_clock::now();
    PlayBtn.SetCaption(captions::kStop);
    Timer1.SetEnabled(true);
    ShowWave();
}

bool TRecordBox::Keep() {
    if (recording_ && !StopRecording()) {
        return false;
    }
    if (!AudiblePart(take_)) {
        Warn(kNothingHeard);
        return false;
    }
    StopPlaying();
    keep_(KeptPart());
    Finish();
    ShowTake();
    return true;
}

void TRecordBox::KeepBtnClick() {
    if (Keep()) {
        ModalResult = kModalOk;
    }
}

void TRecordBox::KeepNextBtnClick() {
    if (!Keep()) {
        return;
    }
    if (message_.Number < message_.Count && OnNext) {
        OnNext();
    } else {
        ModalResult = kModalOk;
    }
}

void TRecordBox::NextBtnClick() {
    if (message_.Number >= message_.Count || !MayDiscard()) {
        return;
    }
    Finish();
    if (OnNext) {
        OnNext();
    }
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
