#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/ids.h"
#include "app/messages.h"
#include "app/toolkit/TButton.h"
#include "app/toolkit/TCheckBox.h"
#include "app/toolkit/TForm.h"
#include "app/toolkit/TLabel.h"
#include "app/toolkit/TMemo.h"
#include "app/toolkit/TProgressBar.h"
#include "app/toolkit/TTimer.h"
#include "app/toolkit/Ui.h"
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

    TRecordBox(Microphone& microphone, Sound& sound, Ui& ui);

    // The controls in their stacking order. The buttons come before the check box, so that the
    // focus starts on Record and Tab walks the buttons first.
    using Kind = TButton::Kind;
    TLabel Label1{*this, 0, {8, 8, 0, 0}, captions::kMessage};
    TMemo Phrase{*this, ids::kRecordText, {8, 24, 353, 46}};
    TLabel VoiceNote{*this, ids::kVoiceNote, {8, 77, 3, 13}};
    TLabel Label2{*this, 0, {8, 101, 0, 0}, captions::kLevel};
    TProgressBar Meter{*this, ids::kMeter, {56, 100, 249, 15}};
    TLabel Length{*this, ids::kTakeLength, {317, 101, 3, 13}};
    TButton RecordBtn{
        *this, ids::kRecordButton, {8, 160, 75, 25}, captions::kRecord, Kind::Default};
    TButton PlayBtn{*this, ids::kPlayButton, {88, 160, 75, 25}, captions::kPlay};
    TButton KeepBtn{*this, ids::kKeepButton, {206, 160, 75, 25}, captions::kKeep};
    TButton CancelBtn{*this, ids::kCancelButton, {286, 160, 75, 25}, captions::kCancel};
    TCheckBox Trim{*this, ids::kTrim, {8, 126, 200, 17}, captions::kTrim, true};
    // Collects what the microphone recorded, and shows it, while it records.
    TTimer Timer1{*this, 30};

    // Readies the box for a message, without a take: the text to read, whether the message
    // has a voice already, and where a take that is kept goes.
    void Prepare(const std::string& text, bool hasVoice, KeepVoice keep);

    // Handlers.
    void RecordBtnClick();
    void PlayBtnClick();
    void KeepBtnClick();
    void CancelBtnClick();
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
    // Ends the recording and the playing, and drops the take.
    void Finish();
    // The part of the take that Play plays and Keep keeps.
    std::string_view KeptPart() const;
    // The meter, the length and the buttons as the take and the recording stand.
    void ShowTake();
    void Warn(const std::string& text);
    // Whether the take may go: asks the user when there is one.
    bool MayDiscard();

    Microphone& microphone_;
    Sound& sound_;
    Ui& ui_;
    KeepVoice keep_;
    std::string take_;
    bool recording_ = false;
};

}  // namespace quillory
