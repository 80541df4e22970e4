#include "app/Unit1.h"

#include "app/Unit2.h"
#include "app/error_box.h"
#include "app/slots.h"
#include "formats/commfile.h"
#include "formats/speech.h"
#include "game/FmxUtils.h"
#include "game/locator.h"
#include "game/removal.h"
#include "res/resource_ids.h"

namespace quillory {
namespace {

constexpr char kSaveQuestion[] = "Save changes to the text comm file ?";
constexpr char kRevertQuestion[] = "Load text comm file as it was when last saved ?";
constexpr char kNotInstalled[] = "Secret Ops is not properly installed on this computer.";
constexpr char kRemoveQuestion[] =
    "This will delete the custom text comm file and IFF speech files.  Are you sure ?";
constexpr char kGameExecutable[] = "Secretops.exe";
constexpr int kShowNormal = 5;

// Shows the import's course on the form's progress bar and its refusals in boxes of the form.
class ImportOnForm : public SpeechImportSink {
public:
    ImportOnForm(TForm1& form, Ui& ui) : form_(form), ui_(ui) {}

    void Progress(int position) override { form_.Progress.SetPosition(position); }
    void Completed() override { form_.Progress.SetPosition(form_.Progress.Max()); }
    void Refused(const std::string& text, Severity severity) override {
        ui_.ShowMessageBox(form_.Handle(), text, "Error",
                           kMbOk | (severity == Severity::Warning ? kMbIconWarning : kMbIconStop));
    }

private:
    TForm1& form_;
    Ui& ui_;
};

}  // namespace

TForm1::TForm1(Services services) : TForm("Quillory  v0.3", 738, 288), services_(services) {
    Textes.TabOrder = 0;
    BitBtn1.TabOrder = 1;
    NouveauTexte.TabOrder = 2;
    Button1.TabOrder = 3;
    ReloadBtn.TabOrder = 5;
    WavBtn.TabOrder = 6;
    DeleteFilesBtn.TabOrder = 7;
    Button1.Default = true;
    BitBtn1.GlyphResource = IDB_SAVE;
    ReloadBtn.GlyphResource = IDB_REVERT;
    ReloadBtn.NumGlyphs = 2;
    WavBtn.GlyphResource = IDB_WAV;
    DeleteFilesBtn.GlyphResource = IDB_DELETE;
    SpeedButton1.GlyphResource = IDB_RUN;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        Textes.Add("");
    }

    OpenDialog.Title = "Select a WAV file...";
    OpenDialog.Filter = "WAV files|*.wav";
    OpenDialog.DefaultExt = ".wav";
    OpenDialog.InitialDir = "c:\\wav";
    OpenDialog.HideReadOnly = true;
    OpenDialog.PathMustExist = true;
    OpenDialog.FileMustExist = true;

    Textes.OnChange = [this] { TextesChange(); };
    Button1.OnClick = [this] { Button1Click(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    ReloadBtn.OnClick = [this] { ReloadBtnClick(); };
    WavBtn.OnClick = [this] { WavBtnClick(); };
    DeleteFilesBtn.OnClick = [this] { DeleteFilesBtnClick(); };
    SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
    About.OnClick = [this] { AboutClick(); };
    Timer1.OnTimer = [this] { Timer1Timer(); };
}

void TForm1::FormCreate() {
    // Every box of the program is owned by the main window, so that it is modal to it.
    MessageOwner = Handle();
    Textes.SetItemIndex(0);
    GameDir.clear();
    InstallMissing = false;
    GetRepBase();
    if (!InstallMissing) {
        LoadTextFromFile();
    }
}

void TForm1::GetRepBase() {
    const GameInstallation installation = locateGame(services_.registry);
    if (installation.missing) {
        InstallMissing = true;
        Timer1.SetEnabled(true);
        return;
    }
    GameDir = installation.gameDir;
}

void TForm1::LoadTextFromFile() {
    FileSystem& fs = services_.fs;
    const int selected = Textes.ItemIndex();
    const std::string path = GameDir + kCommFilePath;
    if (!fs.fileExists(path)) {
        if (!fs.dirExists(GameDir + "language")) {
            fs.createDirectory(GameDir + "Language");
        }
        if (!fs.dirExists(GameDir + "language\\pilots")) {
            fs.createDirectory(GameDir + "Language\\pilots");
        }
        CommFileHeader = defaultCommHeader();
        for (int slot = 0; slot < kSlotCount; ++slot) {
            Textes.SetItem(slot, defaultText(slot));
        }
        SaveTextFile();
    }
    // Read and decode the whole file before anything in memory changes.
    const CommFile file = decodeCommFile(readWholeFile(fs, path));
    CommFileHeader = file.header;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        Textes.SetItem(slot, file.texts[static_cast<std::size_t>(slot)]);
    }
    Modified = false;
    Textes.SetItemIndex(selected);
    TypePhrase.SetCaption(Textes.ItemIndex() >= 0 ? categoryPhrase(Textes.ItemIndex()) : "");
}

void TForm1::SaveTextFile() {
    CommTexts texts;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        texts[static_cast<std::size_t>(slot)] = Textes.Items(slot);
    }
    const std::string bytes = encodeCommFile(CommFileHeader, texts);
    writeReplacing(services_.fs, GameDir + kCommFilePath, [&](File& file) { file.write(bytes); });
    Modified = false;
}

void TForm1::TextesChange() {
    const int slot = Textes.ItemIndex();
    NouveauTexte.SetText(Textes.Items(slot));
    TypePhrase.SetCaption(categoryPhrase(slot));
}

void TForm1::Button1Click() {
    const int slot = Textes.ItemIndex();
    if (slot < 0) {
        return;
    }
    Textes.SetItem(slot, NouveauTexte.Text());
    Textes.SetItemIndex(slot);
    Modified = true;
}

void TForm1::BitBtn1Click() {
    if (services_.ui.ShowMessageBox(MessageOwner, kSaveQuestion, "",
                                    kMbOkCancel | kMbIconQuestion) == kIdOk) {
        SaveTextFile();
    }
}

void TForm1::ReloadBtnClick() {
    if (services_.ui.ShowMessageBox(MessageOwner, kRevertQuestion, "",
                                    kMbOkCancel | kMbIconQuestion) == kIdOk) {
        LoadTextFromFile();
    }
}

void TForm1::Timer1Timer() {
    Timer1.SetEnabled(false);
    services_.ui.ShowMessageBox(MessageOwner, kNotInstalled, "Registry read ERROR",
                                kMbOk | kMbIconStop);
    Close();
}

void TForm1::WavBtnClick() {
    Ui& ui = services_.ui;
    if (!ui.Execute(OpenDialog)) {
        return;
    }
    ImportOnForm sink(*this, ui);
    if (ImportSpeech(services_.fs, OpenDialog.FileName, GameDir, Textes.ItemIndex(), sink)) {
        ui.ShowMessageBox(Handle(), "Done !", "", kMbOk);
        Progress.SetMax(100);
        Progress.SetPosition(0);
    }
}

void TForm1::DeleteFilesBtnClick() {
    Ui& ui = services_.ui;
    if (ui.ShowMessageBox(Handle(), kRemoveQuestion, "", kMbOkCancel | kMbIconQuestion) != kIdOk) {
        return;
    }
    const std::vector<std::string> kept = RemoveCustomFiles(services_.fs, GameDir);
    if (!kept.empty()) {
        std::string text = "These files could not be deleted:";
        for (const std::string& path : kept) {
            text += "\n" + path;
        }
        ui.ShowMessageBox(Handle(), text, "Error", kMbOk | kMbIconWarning);
    }
    Close();
}

void TForm1::SpeedButton1Click() {
    if (LaunchFile(services_.shell, Handle(), kGameExecutable, "", GameDir, kShowNormal) <= 32) {
        services_.ui.ShowMessageBox(
            Handle(), std::string("Cannot start ") + kGameExecutable + " from " + GameDir, "Error",
            kMbOk | kMbIconStop);
    }
}

void TForm1::AboutClick() {
    if (AboutBox != nullptr) {
        services_.ui.ShowModal(*AboutBox);
    }
}

bool TForm1::FormCloseQuery() {
    if (!Modified) {
        return true;
    }
    switch (services_.ui.ShowMessageBox(Handle(), kSaveQuestion, "",
                                        kMbYesNoCancel | kMbIconQuestion)) {
        case kIdYes:
            try {
                SaveTextFile();
            } catch (const std::exception& error) {
                ShowErrorBox(services_.ui, error);
                return false;
            }
            return true;
        case kIdNo:
            return true;
        default:
            return false;
    }
}

}  // namespace quillory
