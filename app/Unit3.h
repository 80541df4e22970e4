#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ids.h"
#include "app/messages.h"
#include "app/toolkit/TButton.h"
#include "app/toolkit/TCheckBox.h"
#include "app/toolkit/TForm.h"
#include "app/toolkit/TLabel.h"
#include "app/toolkit/TMemo.h"
#include "app/toolkit/TProgressBar.h"
#include "app/toolkit/TTimer.h"
#include "app/toolkit/TWaveView.h"
#include "app/toolkit/Ui.h"
#include "game/take.h"
#include "platform/microphone.h"
#include "platform/sound.h"

namespace quillory {

// The recording box: the text of the message to read aloud, a level meter and the length
// recorded while the microphone records, the take played back and kept as the message's voice.
class TRecordBox : public TForm {
public:
    // Writes the samples kept as the message's voice. When it fails, the box stays open with
    // its take.
    using KeepVoice = std::function<void(std::string_view samples)>;

    // The message to record: its text, whether it has a voice already, and which one it is of
    // how many.
    struct Message {
        std::string Text;
        bool HasVoice = false;
        int Number = 1, Count = 1;
    };

    TRecordBox(Microphone& microphone, Sound& sound, Ui& ui);

    // The controls in their stacking order. The buttons come before the check boxes, so that
    // the focus starts on Record and Tab walks the buttons first.
    using Kind = TButton::Kind;
    TLabel Label1{*this, 0, {8, 8, 0, 0}, captions::kMessage};
    TMemo Phrase{*this, ids::kRecordText, {8, 24, 488, 46}};
    TLabel VoiceNote{*this, ids::kVoiceNote, {8, 77, 3, 13}};
    TWaveView Wave{*this, ids::kWave, {8, 96, 488, 64}};
    TLabel Label2{*this, 0, {8, 171, 0, 0}, captions::kLevel};
    TProgressBar Meter{*this, ids::kMeter, {56, 170, 249, 15}};
    TLabel Peak{*this, ids::kPeakLevel, {313, 171, 3, 13}};
    TLabel Length{*this, ids::kTakeLength, {416, 171, 3, 13}};
    TLabel TakeNote{*this, ids::kTakeNote, {56, 190, 3, 13}};
    TLabel StopNote{*this, ids::kStopNote, {56, 205, 3, 13}};
    TButton RecordBtn{
        *this, ids::kRecordButton, {8, 252, 75, 25}, captions::kRecord, Kind::Default};
    TButton PlayBtn{*this, ids::kPlayButton, {88, 252, 75, 25}, captions::kPlay};
    TButton KeepBtn{*this, ids::kKeepButton, {181, 252, 75, 25}, captions::kKeep};
    TButton KeepNextBtn{*this, ids::kKeepNextButton, {261, 252, 80, 25}, captions::kKeepNext};
    TButton NextBtn{*this, ids::kNextButton, {346, 252, 70, 25}, captions::kNext};
    TButton CancelBtn{*this, ids::kCancelButton, {421, 252, 75, 25}, captions::kCancel};
    TCheckBox Trim{*this, ids::kTrim, {8, 226, 200, 17}, captions::kTrim, true};
    TCheckBox Even{*this, ids::kEven, {216, 226, 200, 17}, captions::kEven, true};
    // Collects what the microphone recorded, and shows it, while it records; moves the
    // position while the take plays. Over 20 times a second, so that the meter and the
    // waveform move smoothly, and no more: each tick's drawing costs the processor.
    TTimer Timer1{*this, 35};

    // Readies the box for a message, without a take; a take that is kept goes to `keep`.
    void Prepare(const Message& message, KeepVoice keep);
    // Asked for the message after this one (Keep & next, Next): it calls Prepare again.
    std::function<void()> OnNext;

    // Handlers.
    void RecordBtnClick();
    void PlayBtnClick();
    void KeepBtnClick();
    void KeepNextBtnClick();
    void NextBtnClick();
    void CancelBtnClick();
    void TrimClick();
    void Timer1Timer();
    bool FormCloseQuery();

    // The take recorded so far, as the microphone gave it.
    const std::string& Take() const { return take_; }

private:
    void StartRecording();
    // Stops the microphone and the timer; what it recorded is left for Collect.
    void EndRecording();
    // False when the microphone failed.
    bool StopRecording();
    // The microphone failed while recording: the take is lost.
    void Fail();
    void StopPlaying();
    // Ends the recording and the playing, and drops the take.
    void Finish();
    // Where the part of the take that Keep keeps lies.
    TakePart KeptPlace() const;
    // The samples that Play plays and Keep keeps: the kept part, evened out when asked.
    std::string KeptPart() const;
    // True when the take was kept.
    bool Keep();
    // The meter, the waveform, the length, the notes and the buttons as the take and the
    // recording stand.
    void ShowTake();
    void ShowWave();
    void Warn(const std::string& text);
    // Whether the take may go: asks the user when there is one.
    bool MayDiscard();

    Microphone& microphone_;
    Sound& sound_;
    Ui& ui_;
    KeepVoice keep_;
    Message message_;
    std::string take_;
    std::vector<int> windowPeaks_;  // of each 10 ms of the take
    bool recording_ = false;
    bool playing_ = false;
    std::chrono::steady_clock::time_point playStart_;
    int hold_ = 0;       // the peak the meter holds
    int holdTicks_ = 0;  // how long it has held it
};

}  // namespace quillory
