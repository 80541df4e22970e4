#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/ids.h"
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
#include "game/comm_texts.h"
#include "game/game_directory.h"
#include "platform/filesystem.h"
#include "platform/microphone.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "res/resource_ids.h"

namespace quillory {

class TAboutBox;
class TRecordBox;

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
    TLabel Label1{*this, ids::kLabel1, {24, 16, 74, 16}, "Comm type :"};
    TLabel Label2{*this, ids::kLabel2, {24, 72, 58, 16}, "Replace :"};
    TLabel Label3{*this, ids::kLabel3, {24, 152, 32, 16}, "With :"};
    TButton SpeedButton1{*this,       ids::kSpeedButton1, {320, 232, 145, 49}, "Run Secret Ops",
                         Kind::Speed, {IDB_RUN}};
    TComboBox Textes{*this, ids::kTextes, {24, 96, 561, 22}, 16, 15};
    TButton BitBtn1{*this,       ids::kBitBtn1, {488, 232, 121, 49},
                    "Save Text", Kind::Bitmap,  {IDB_SAVE}};
    TEdit NouveauTexte{*this, ids::kNouveauTexte, {24, 176, 561, 24}};
    TButton Button1{*this, ids::kButton1, {592, 176, 121, 25}, "Change", Kind::Default};
    TButton ReloadBtn{*this,         ids::kReloadBtn, {608, 232, 121, 49},
                      "Revert Text", Kind::Bitmap,    {IDB_REVERT, 2}};
    TButton WavBtn{*this, ids::kWavBtn, {592, 88, 121, 57}, "Attach WAV", Kind::Bitmap, {IDB_WAV}};
    TButton DeleteFilesBtn{
        *this,        ids::kDeleteFilesBtn, {8, 232, 289, 49}, "Remove custom communications",
        Kind::Bitmap, {IDB_DELETE}};
    TProgressBar Progress{*this, ids::kProgress, {24, 128, 561, 9}};

    TOpenDialog OpenDialog;
    TTimer Timer1{*this, 10};
    // The menu bar: "Text" and "Voice" with their items for the selected slot, then "About...".
    TMenuItem UndoChange{ids::kMenuUndoChange, "&Undo change"};
    TMenuItem RestoreDefault{ids::kMenuRestoreDefault, "Restore &default text"};
    TMenuItem SaveText{ids::kMenuSaveText, "&Save Text", "Ctrl+S"};
    TMenuItem Text{"&Text", {&UndoChange, &RestoreDefault, nullptr, &SaveText}};
    TMenuItem Play{ids::kMenuPlay, "&Play", "Ctrl+P"};
    TMenuItem Stop{ids::kMenuStop, "&Stop", "Esc"};
    TMenuItem RemoveVoice{ids::kMenuRemoveVoice, "&Remove voice..."};
    TMenuItem Record{ids::kMenuRecord, "Re&cord...", "Ctrl+R"};
    TMenuItem AttachWav{ids::kMenuAttachWav, "&Attach WAV..."};
    TMenuItem Voice{"&Voice", {&Play, &Stop, nullptr, &RemoveVoice, nullptr, &Record, &AttachWav}};
    TMenuItem About{ids::kMenuAbout, "About"};
    TMenuItem Help{"About...", {&About}};
    TMainMenu MainMenu1{{&Text, &Voice, &Help}};

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
    void RecordClick();
    void AttachWavClick();
    // Files dropped on the main window, by their paths in UTF-8.
    void FormDropFiles(const std::vector<std::string>& paths);
    // Asked when the user closes the window; false keeps it open.
    bool FormCloseQuery();

    // Working methods.
    void GetRepBase();
    void LoadTextFromFile();
    void SaveTextFile();
    // Turns the WAVE file `path` (UTF-8) into the speech sample file of the selected slot,
    // telling the user how it went.
    void ImportWave(const std::string& path);
    // Marks the entries of Textes whose slot has a speech sample file.
    void ShowVoices();

    // Program-wide values.
    std::string GameDir;
    std::string CommFileHeader;
    bool InstallMissing = false;
    WindowHandle MessageOwner = nullptr;
    // The texts as the file held them at the last successful load or save: what "Undo change"
    // goes back to, and what marks an entry of Textes as changed.
    CommTexts SavedTexts;
    // The last load of the communication text file failed: the texts shown are not the file's,
    // and none of them is written over it without the player's word.
    bool LoadFailed = false;

    // The About box that AboutClick shows; set by the program entry.
    TAboutBox* AboutBox = nullptr;
    // The recording box that RecordClick shows; made when first shown.
    std::unique_ptr<TRecordBox> RecordBox;

private:
    // The game's folder that GameDir names.
    GameDirectory Game() const;
    // Whether the texts shown may be written in place of the file: after a failed load, only
    // when the player says so.
    bool MayOverwriteUnreadFile();
    // Whether the text of `slot` differs from the file's.
    bool Changed(int slot) const;
    // Whether the text of `slot` differs from the slot's default wording.
    bool NotDefault(int slot) const;
    // Whether any text differs from the file's.
    bool AnyChanged() const;
    // Puts `text` in the place of the slot's, marks the slot as changed or not, and selects it.
    void ReplaceText(int slot, const std::string& text);
    // Marks the slots whose texts differ from the file's.
    void ShowChanges();
    // Before the texts are left behind: when any changed, asks `question` (Yes, No, Cancel); Yes
    // saves them. False when the player cancelled or the save failed (and said so).
    bool SaveChangesFirst(const char* question);
    // Marks the voices again, then names the files that could not be deleted.
    void ReportKept(const std::vector<std::string>& kept);

    Services services_;
    // A WAVE file is being written into a speech sample file.
    bool importing_ = false;
};

}  // namespace quillory
