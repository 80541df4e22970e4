#include "app/Unit1.h"

#include <optional>

#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/error_box.h"
#include "app/messages.h"
#include "app/version.h"
#include "game/FmxUtils.h"
#include "game/comm_texts.h"
#include "game/locator.h"
#include "game/removal.h"
#include "game/slots.h"
#include "game/speech_import.h"
#include "game/take.h"
#include "game/voices.h"
#include "platform/error.h"
#include "platform/text.h"

namespace quillory {
namespace {

using namespace messages;

constexpr char kGameExecutable[] = "Secretops.exe";
constexpr int kShowNormal = 5;
// Where the progress bar stands once the form type passed, and once the format block is in.
constexpr int kFormTypeChecked = 1;
constexpr int kFormatCopied = 5;

}  // namespace

TForm1::TForm1(Services services)
    : TForm(ids::kMainWindowClass, "Quillory  v" QUILLORY_VERSION, 738, 288, 13, Border::Single),
      services_(services) {
    Icon = IDI_QUILLORY;
    Menu = &MainMenu1;
    OnCreate = [this] { FormCreate(); };
    OnCloseQuery = [this] { return FormCloseQuery(); };
    OnDropFiles = [this](const std::vector<std::string>& paths) { FormDropFiles(paths); };
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
    Text.OnClick = [this] { TextClick(); };
    UndoChange.OnClick = [this] { UndoChangeClick(); };
    RestoreDefault.OnClick = [this] { RestoreDefaultClick(); };
    SaveText.OnClick = [this] { BitBtn1Click(); };
    Voice.OnClick = [this] { VoiceClick(); };
    Play.OnClick = [this] { PlayClick(); };
    Stop.OnClick = [this] { StopClick(); };
    RemoveVoice.OnClick = [this] { RemoveVoiceClick(); };
    AttachWav.OnClick = [this] { AttachWavClick(); };
    Record.OnClick = [this] { RecordClick(); };
    Timer1.OnTimer = [this] { Timer1Timer(); };
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    // Every box of the program is owned by the main window, so that it is modal to it.
    MessageOwner = Handle();
    Textes.SetItemIndex(0);
    GameDir.clear();
    InstallMissing = false;
    GetRepBase();
    if (!InstallMissing) {
        RemoveUnfinishedWrites(services_.fs, GameDir);
        // The voices first: a text file that does not load hides none of them.
        ShowVoices();
        LoadTextFromFile();
    }
}

GameDirectory TForm1::Game() const { return GameDirectory(services_.fs, GameDir); }

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
    const int selected = Textes.ItemIndex();
    LoadFailed = true;
    const auto show = [this](const CommFile& file) {
        const TComboBox::Update update(Textes);
        CommFileHeader = file.header;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            Textes.SetItem(slot, file.texts[static_cast<std::size_t>(slot)]);
        }
    };
    const CommFile file = LoadCommFile(Game(), show);
    show(file);
    SavedTexts = file.texts;
    LoadFailed = false;
    ShowChanges();
    Textes.SetItemIndex(selected);
    TypePhrase.SetCaption(Textes.ItemIndex() >= 0 ? categoryPhrase(Textes.ItemIndex()) : "");
}

void TForm1::SaveTextFile() {
    CommTexts texts;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        texts[static_cast<std::size_t>(slot)] = Textes.Items(slot);
    }
    SaveCommFile(Game(), CommFileHeader, texts);
    SavedTexts = texts;
    LoadFailed = false;
    ShowChanges();
}

bool TForm1::Changed(int slot) const {
    return slot >= 0 && slot < kSlotCount &&
           Textes.Items(slot) != SavedTexts[static_cast<std::size_t>(slot)];
}

bool TForm1::AnyChanged() const {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (Changed(slot)) {
            return true;
        }
    }
    return false;
}

void TForm1::ReplaceText(int slot, const std::string& text) {
    Textes.SetItem(slot, text);
    Textes.SetItemIndex(slot);
    Textes.SetMarked(slot, Changed(slot), TComboBox::Changed);
}

void TForm1::ShowChanges() {
    const TComboBox::Update update(Textes);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        Textes.SetMarked(slot, Changed(slot), TComboBox::Changed);
    }
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
    const AnsiText text = AnsiOf(NouveauTexte.Text());
    if (!text.unstorable.empty()) {
        services_.ui.ShowMessageBox(Handle(), kUnstorable + text.unstorable, kErrorCaption,
                                    kMbOk | kMbIconWarning);
        return;
    }
    // As the file will hold it: a composed character in place of its decomposed form.
    ReplaceText(slot, Utf8OfAnsi(text.bytes));
}

bool TForm1::NotDefault(int slot) const {
    return slot >= 0 && slot < kSlotCount && Textes.Items(slot) != defaultText(slot);
}

void TForm1::TextClick() {
    const int slot = Textes.ItemIndex();
    UndoChange.SetEnabled(Changed(slot));
    RestoreDefault.SetEnabled(NotDefault(slot));
}

void TForm1::UndoChangeClick() {
    const int slot = Textes.ItemIndex();
    if (Changed(slot)) {
        ReplaceText(slot, SavedTexts[static_cast<std::size_t>(slot)]);
        NouveauTexte.SetText(Textes.Items(slot));
    }
}

void TForm1::RestoreDefaultClick() {
    const int slot = Textes.ItemIndex();
    if (NotDefault(slot)) {
        ReplaceText(slot, defaultText(slot));
        NouveauTexte.SetText(Textes.Items(slot));
    }
}

void TForm1::BitBtn1Click() {
    // After a failed load its own question takes the place of the usual one.
    if (LoadFailed ? MayOverwriteUnreadFile()
                   : services_.ui.ShowMessageBox(MessageOwner, kSaveQuestion, "",
                                                 kMbOkCancel | kMbIconQuestion) == kIdOk) {
        SaveTextFile();
    }
}

bool TForm1::MayOverwriteUnreadFile() {
    return !LoadFailed ||
           services_.ui.ShowMessageBox(MessageOwner, kUnreadSaveQuestion, "",
                                       kMbOkCancel | kMbIconWarning | kMbDefButton2) == kIdOk;
}

void TForm1::ReloadBtnClick() {
    if (services_.ui.ShowMessageBox(MessageOwner, kRevertQuestion, "",
                                    kMbOkCancel | kMbIconQuestion) == kIdOk) {
        ShowVoices();
        LoadTextFromFile();
    }
}

void TForm1::Timer1Timer() {
    Timer1.SetEnabled(false);
    services_.ui.ShowMessageBox(MessageOwner, kNotInstalled, kNotInstalledCaption,
                                kMbOk | kMbIconStop);
    Close();
}

void TForm1::WavBtnClick() {
    if (!importing_ && services_.ui.Execute(OpenDialog)) {
        ImportWave(OpenDialog.FileName);
    }
}

void TForm1::ImportWave(const std::string& path) {
    if (importing_) {
        return;
    }
    Ui& ui = services_.ui;
    const auto refuse = [&](const char* text, unsigned icon) {
        ui.ShowMessageBox(Handle(), text, kErrorCaption, kMbOk | icon);
    };
    const int slot = Textes.ItemIndex();
    if (slot < 0 || slot >= kSlotCount) {
        refuse(kNoSlotSelected, kMbIconWarning);
        return;
    }
    WaveImport importing(services_.fs, path);
    const WaveDescription& wave = importing.wave();
    if (wave.isWave) {
        Progress.SetPosition(kFormTypeChecked);
    }
    switch (wave.refusal) {
        case WaveRefusal::None:
            break;
        case WaveRefusal::Empty:
            refuse(kEmptyFile, kMbIconWarning);
            refuse(kNotWave, kMbIconWarning);
            return;
        case WaveRefusal::NotWave:
        case WaveRefusal::ShortFormat:
        case WaveRefusal::BadFormat:
            refuse(kNotWave, kMbIconWarning);
            return;
        case WaveRefusal::TooLong:
            refuse(kTooLong, kMbIconWarning);
            return;
        case WaveRefusal::NotPcm:
            refuse(kNotPcm, kMbIconStop);
            return;
        case WaveRefusal::TooShort:
        case WaveRefusal::NoFormat:
        case WaveRefusal::NoData:
            // The file ends before what the import needs: the standard error box says so.
            throw Error(kReadBeyondEnd);
    }
    if (wave.encoding != SampleEncoding::Copy) {
        const bool floating = wave.encoding == SampleEncoding::Float;
        if (ui.ShowMessageBox(
                Handle(), ConvertQuestion(floating, floating ? wave.containerBits : wave.validBits),
                "", kMbOkCancel | kMbIconQuestion) != kIdOk) {
            return;
        }
    }
    // The sound that plays keeps its file open: it stops before a voice is replaced or goes.
    services_.sound.Stop();
    {
        // While the file is written the window takes no input, so that nothing else starts,
        // but it answers and repaints, and the bar moves from where the format block is in to
        // its end with the sound bytes.
        struct Busy {
            TForm1& form;
            explicit Busy(TForm1& busy) : form(busy) {
                form.importing_ = true;
                form.SetEnabled(false);
            }
            ~Busy() {
                form.SetEnabled(true);
                form.importing_ = false;
            }
        } busy(*this);
        importing.WriteSpeechFile(GameDir, slot, [&](std::uint64_t done, std::uint64_t total) {
            const int span = Progress.Max() - kFormatCopied;
            Progress.SetPosition(kFormatCopied +
                                 (total == 0 ? 0 : static_cast<int>(span * done / total)));
            ui.ProcessMessages();
        });
    }
    Progress.SetPosition(Progress.Max());
    ShowVoices();
    ui.ShowMessageBox(Handle(), kDone, "", kMbOk);
    Progress.SetMax(100);
    Progress.SetPosition(0);
}

void TForm1::DeleteFilesBtnClick() {
    Ui& ui = services_.ui;
    if (ui.ShowMessageBox(Handle(), kRemoveQuestion, "", kMbOkCancel | kMbIconQuestion) != kIdOk) {
        return;
    }
    services_.sound.Stop();
    ReportKept(RemoveCustomFiles(services_.fs, GameDir));
    Close();
}

void TForm1::ReportKept(const std::vector<std::string>& kept) {
    ShowVoices();
    if (!kept.empty()) {
        services_.ui.ShowMessageBox(Handle(), NotDeleted(kept), kErrorCaption,
                                    kMbOk | kMbIconWarning);
    }
}

void TForm1::SpeedButton1Click() {
    // The game shows the texts of the file: changed ones are saved first if the player wishes.
    if (!SaveChangesFirst(kSaveBeforeRunQuestion)) {
        return;
    }
    if (LaunchFile(services_.shell, Handle(), kGameExecutable, "", GameDir, kShowNormal) <= 32) {
        services_.ui.ShowMessageBox(Handle(), CannotStart(kGameExecutable, GameDir), kErrorCaption,
                                    kMbOk | kMbIconStop);
    }
}

void TForm1::AboutClick() {
    if (AboutBox != nullptr) {
        services_.ui.ShowModal(*AboutBox);
    }
}

void TForm1::ShowVoices() {
    const Voices voices = FindVoices(services_.fs, GameDir);
    const TComboBox::Update update(Textes);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        Textes.SetMarked(slot, voices[static_cast<std::size_t>(slot)]);
    }
}

void TForm1::VoiceClick() {
    const bool voice = Textes.Marked(Textes.ItemIndex());
    Play.SetEnabled(voice);
    Stop.SetEnabled(services_.sound.Playing());
    RemoveVoice.SetEnabled(voice);
}

void TForm1::PlayClick() {
    const int slot = Textes.ItemIndex();
    if (!Textes.Marked(slot)) {
        return;
    }
    std::optional<VoiceStream> voice = OpenVoice(services_.fs, GameDir, slot);
    const char* trouble =
        voice ? PlayTrouble(services_.sound.Play(voice->format, std::move(voice->samples)))
              : kCannotPlay;
    if (trouble) {
        services_.ui.ShowMessageBox(Handle(), trouble, kErrorCaption, kMbOk | kMbIconWarning);
    }
}

void TForm1::StopClick() { services_.sound.Stop(); }

void TForm1::RemoveVoiceClick() {
    const int slot = Textes.ItemIndex();
    if (!Textes.Marked(slot) ||
        services_.ui.ShowMessageBox(Handle(), kRemoveVoiceQuestion, "",
                                    kMbOkCancel | kMbIconQuestion) != kIdOk) {
        return;
    }
    services_.sound.Stop();
    ReportKept(DeleteVoice(services_.fs, GameDir, slot));
}

void TForm1::AttachWavClick() { WavBtnClick(); }

void TForm1::RecordClick() {
    const int slot = Textes.ItemIndex();
    Ui& ui = services_.ui;
    const char* trouble = slot < 0 || slot >= kSlotCount      ? kNoSlotToRecord
                          : !services_.microphone.Available() ? kNoMicrophone
                                                              : nullptr;
    if (trouble) {
        ui.ShowMessageBox(Handle(), trouble, kErrorCaption, kMbOk | kMbIconWarning);
        return;
    }
    if (!RecordBox) {
        RecordBox = std::make_unique<TRecordBox>(services_.microphone, services_.sound, ui);
    }
    RecordBox->Prepare(
        Textes.Items(slot), Textes.Marked(slot),
        [this, slot](std::string_view take) { KeepTake(services_.fs, GameDir, slot, take); });
    ui.ShowModal(*RecordBox);
    if (RecordBox->ModalResult == kModalOk) {
        ShowVoices();
    }
}

void TForm1::FormDropFiles(const std::vector<std::string>& paths) {
    if (paths.size() != 1) {
        services_.ui.ShowMessageBox(Handle(), kDropOneFile, kErrorCaption, kMbOk | kMbIconWarning);
    } else if (services_.fs.dirExists(paths.front())) {
        services_.ui.ShowMessageBox(Handle(), kNotWave, kErrorCaption, kMbOk | kMbIconWarning);
    } else {
        ImportWave(paths.front());
    }
}

bool TForm1::FormCloseQuery() { return SaveChangesFirst(kSaveQuestion); }

bool TForm1::SaveChangesFirst(const char* question) {
    if (!AnyChanged()) {
        return true;
    }
    switch (services_.ui.ShowMessageBox(Handle(), question, "", kMbYesNoCancel | kMbIconQuestion)) {
        case kIdYes:
            if (!MayOverwriteUnreadFile()) {
                return false;
            }
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
