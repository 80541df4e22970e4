#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Unit3.h"
#include "app/box_player.h"
#include "app/ids.h"
#include "app/messages.h"
#include "app/toolkit/TBevel.h"
#include "app/toolkit/TButton.h"
#include "app/toolkit/TComboBox.h"
#include "app/toolkit/TEdit.h"
#include "app/toolkit/TForm.h"
#include "app/toolkit/TLabel.h"
#include "app/toolkit/TMainMenu.h"
#include "app/toolkit/TMenuItem.h"
#include "app/toolkit/TOpenDialog.h"
#include "app/toolkit/TProgressBar.h"
#include "app/toolkit/TTimer.h"
#include "app/toolkit/Ui.h"
#include "game/session.h"
#include "platform/filesystem.h"
#include "platform/microphone.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/sound.h"
#include "res/resource_ids.h"

namespace quillory {

class TAboutBox;

// What the main window works with outside itself.
struct Services {
    FileSystem& fs;
    Registry& registry;
    Shell& shell;
    Sound& sound;
    Ui& ui;
    Microphone& microphone;
};

// The main window: the 40 slots in a drop-down, the editing workflow and the buttons of the
// speech import, the removal and the game's start.
class TForm1 : public TForm {
public:
    explicit TForm1(Services services);
    ~TForm1() override;

    // The controls, each with the id of its notifications, its place (left, top, width,
    // height) and its caption, in the stacking order, which is also the order in which Tab
    // walks the ones that take the focus: the list, the buttons with a caption of their own
    // but "Run Secret Ops", and the edit.
    using Kind = TButton::Kind;
    TBevel Bevel1{*this, {8, 56, 721, 161}};
    TBevel Bevel2{*this, {8, 8, 721, 33}};
    TLabel TypePhrase{*this, ids::kTypePhrase, {104, 16, 3, 16}};
    TLabel Label1{*this, ids::kLabel1, {24, 16, 74, 16}, captions::kCommType};
    TLabel Label2{*this, ids::kLabel2, {24, 72, 58, 16}, captions::kReplace};
    TLabel Label3{*this, ids::kLabel3, {24, 152, 32, 16}, captions::kWith};
    TButton SpeedButton1{
        *this,       ids::kSpeedButton1, {320, 232, 145, 49}, captions::kRunSecretOps,
        Kind::Speed, {IDB_RUN}};
    TComboBox Textes{*this, ids::kTextes, {24, 96, 561, 22}, 16, 15};
    TButton BitBtn1{*this,        ids::kBitBtn1, {488, 232, 121, 49}, captions::kSaveText,
                    Kind::Bitmap, {IDB_SAVE}};
    TEdit NouveauTexte{*this, ids::kNouveauTexte, {24, 176, 561, 24}};
    TButton Button1{*this, ids::kButton1, {592, 176, 121, 25}, captions::kChange, Kind::Default};
    TButton ReloadBtn{*this,        ids::kReloadBtn, {608, 232, 121, 49}, captions::kRevertText,
                      Kind::Bitmap, {IDB_REVERT, 2}};
    TButton WavBtn{*this,        ids::kWavBtn, {592, 88, 121, 57}, captions::kAttachWav,
                   Kind::Bitmap, {IDB_WAV}};
    TButton DeleteFilesBtn{
        *this,        ids::kDeleteFilesBtn, {8, 232, 289, 49}, captions::kRemoveCustom,
        Kind::Bitmap, {IDB_DELETE}};
    TProgressBar Progress{*this, ids::kProgress, {24, 128, 561, 9}};

    TOpenDialog OpenDialog{.Title = captions::kOpenDialogTitle,
                           .Filter = captions::kOpenDialogFilter,
                           .DefaultExt = ".wav",
                           .InitialDir = "c:\\wav",
                           .HideReadOnly = true,
                           .PathMustExist = true,
                           .FileMustExist = true,
                           .FileName = {}};
    TTimer Timer1{*this, 10};
    // The menu bar: "Text" and "Voice" with their items for the selected slot, "Game" with what
    // the buttons at the bottom do and the game's folder, then "About...".
    TMenuItem UndoChange{ids::kMenuUndoChange, captions::kUndoChange};
    TMenuItem RestoreDefault{ids::kMenuRestoreDefault, captions::kRestoreDefault};
    TMenuItem SaveText{ids::kMenuSaveText, captions::kSaveTextItem, "Ctrl+S"};
    TMenuItem Text{captions::kTextMenu, {&UndoChange, &RestoreDefault, nullptr, &SaveText}};
    TMenuItem Play{ids::kMenuPlay, captions::kPlayItem, "Ctrl+P"};
    TMenuItem Stop{ids::kMenuStop, captions::kStopItem, "Esc"};
    TMenuItem RemoveVoice{ids::kMenuRemoveVoice, captions::kRemoveVoiceItem};
    TMenuItem RestoreVoice{ids::kMenuRestoreVoice, captions::kRestoreVoiceItem};
    TMenuItem Record{ids::kMenuRecord, captions::kRecordItem, "Ctrl+R"};
    TMenuItem AttachWav{ids::kMenuAttachWav, captions::kAttachWavItem};
    TMenuItem Voice{
        captions::kVoiceMenu,
        {&Play, &Stop, nullptr, &RemoveVoice, &RestoreVoice, nullptr, &Record, &AttachWav}};
    TMenuItem RunGame{ids::kMenuRunGame, captions::kRunGameItem, "Ctrl+G"};
    TMenuItem OpenFolder{ids::kMenuOpenFolder, captions::kOpenFolderItem};
    TMenuItem RemoveCustom{ids::kMenuRemoveCustom, captions::kRemoveCustomItem};
    TMenuItem Game{captions::kGameMenu, {&RunGame, &OpenFolder, nullptr, &RemoveCustom}};
    TMenuItem About{ids::kMenuAbout, captions::kAboutItem};
    TMenuItem Help{captions::kAboutMenu, {&About}};
    TMainMenu MainMenu1{{&Text, &Voice, &Game, &Help}};

    // Handlers.
    void FormCreate();
    void TextesChange();
    void Button1Click();
    void BitBtn1Click();
    void ReloadBtnClick();
    void WavBtnClick();
    void DeleteFilesBtnClick();
    void SpeedButton1Click();
    void AboutClick();
    void Timer1Timer();
    void TextClick();
    void UndoChangeClick();
    void RestoreDefaultClick();
    void VoiceClick();
    void PlayClick();
    void StopClick();
    void RemoveVoiceClick();
    void RestoreVoiceClick();
    void RecordClick();
    void AttachWavClick();
    void OpenFolderClick();
    // Files dropped on the main window, by their paths in UTF-8.
    void FormDropFiles(const std::vector<std::string>& paths);
    // Asked when the user closes the window; false keeps it open.
    bool FormCloseQuery();

    // Working methods.
    void GetRepBase();
    void LoadTextFromFile();
    void SaveTextFile();

    // The game that the window shows and works on.
    GameSession& Session() { return session_; }

    // Program-wide values.
    bool InstallMissing = false;
    WindowHandle MessageOwner = nullptr;

    // The About box that AboutClick shows; set by the program entry.
    TAboutBox* AboutBox = nullptr;
    // The recording box that RecordClick shows. Like the About box, its window is made when it
    // is first shown, and kept.
    TRecordBox RecordBox;

private:
    // Runs a verb of the session, then shows the session as the verb left it, failed or not.
    void Showing(const std::function<void()>& verb);
    // Shows the texts, the marks and the selected slot's category as the session holds them.
    void ShowSession();
    // Shows the selected slot's text in the edit.
    void ShowSelectedText();
    // After a verb that put another text in the selected slot, when it did: shows it.
    void ShowTextChange(bool changed);
    // Whether the edit holds a text typed for `slot` and not applied.
    bool Typed(int slot) const;
    // Before the text typed in the edit for `slot` is left behind: false when the player
    // cancelled (or the text could not be applied).
    bool ApplyTypedFirst(int slot);
    // Readies the recording box for `slot`; RecordNext for the slot after the selected one.
    void PrepareRecording(int slot);
    void RecordNext();

    Services services_;
    GameSession session_;
    // The game folder, claimed for this copy of the program.
    std::unique_ptr<GameFolderClaim> claim_;
    // The slot selected before the player picked another, and the text last put in the edit:
    // what the edit holds beyond it was typed.
    int selected_ = 0;
    std::string shownText_;
    BoxPlayer player_;
};

}  // namespace quillory
