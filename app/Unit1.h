#pragma once

#include <string>

#include "app/toolkit/TBevel.h"
#include "app/toolkit/TButton.h"
#include "app/toolkit/TComboBox.h"
#include "app/toolkit/TEdit.h"
#include "app/toolkit/TForm.h"
#include "app/toolkit/TLabel.h"
#include "app/toolkit/TMenuItem.h"
#include "app/toolkit/TOpenDialog.h"
#include "app/toolkit/TProgressBar.h"
#include "app/toolkit/TTimer.h"
#include "app/toolkit/Ui.h"
#include "platform/filesystem.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace quillory {

class TAboutBox;

// What the main window works with outside itself.
struct Services {
    FileSystem& fs;
    Registry& registry;
    Shell& shell;
    Ui& ui;
};

// The main window: the 40 slots in a drop-down, the editing workflow and the buttons of the
// speech import, the removal and the game's start.
class TForm1 : public TForm {
public:
    explicit TForm1(Services services);

    // Components, in stacking order.
    TBevel Bevel1{"Bevel1", 8, 56, 721, 161};
    TBevel Bevel2{"Bevel2", 8, 8, 721, 33};
    TLabel TypePhrase{"TypePhrase", 104, 16, 3, 16};
    TLabel Label1{"Label1", 24, 16, 74, 16, "Comm type :"};
    TLabel Label2{"Label2", 24, 72, 58, 16, "Replace :"};
    TLabel Label3{"Label3", 24, 152, 32, 16, "With :"};
    TButton SpeedButton1{"SpeedButton1", TButton::Kind::Speed, "Run Secret Ops", 320, 232, 145, 49};
    TComboBox Textes{"Textes", 24, 96, 561, 22};
    TButton BitBtn1{"BitBtn1", TButton::Kind::Bitmap, "Save Text", 488, 232, 121, 49};
    TEdit NouveauTexte{"NouveauTexte", 24, 176, 561, 24};
    TButton Button1{"Button1", TButton::Kind::Push, "Change", 592, 176, 121, 25};
    TButton ReloadBtn{"ReloadBtn", TButton::Kind::Bitmap, "Revert Text", 608, 232, 121, 49};
    TButton WavBtn{"WavBtn", TButton::Kind::Bitmap, "Attach WAV", 592, 88, 121, 57};
    TButton DeleteFilesBtn{
        "DeleteFilesBtn", TButton::Kind::Bitmap, "Remove custom communications", 8, 232, 289, 49};
    TProgressBar Progress{"Progress", 24, 128, 561, 9};
    TOpenDialog OpenDialog;
    TTimer Timer1{10};
    TMenuItem Help{"Help", "About..."};
    TMenuItem About{"About", "About"};

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
    // Asked when the user closes the window; false keeps it open.
    bool FormCloseQuery();

    // Working methods.
    void GetRepBase();
    void LoadTextFromFile();
    void SaveTextFile();

    // Program-wide values.
    std::string GameDir;
    std::string CommFileHeader;
    bool InstallMissing = false;
    WindowHandle MessageOwner = nullptr;
    // Texts changed with "Change" since the last successful load or save.
    bool Modified = false;

    // The About box that AboutClick shows; set by the program entry.
    TAboutBox* AboutBox = nullptr;

private:
    Services services_;
};

}  // namespace quillory
