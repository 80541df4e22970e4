#include "app/Unit1.h"

#include "app/Unit2.h"
#include "game/slots.h"

namespace quillory {

using namespace messages;

TForm1::TForm1(Services services)
    : TForm(ids::kMainWindowClass, kMainWindowCaption, 738, 288, 13, Border::Single),
      RecordBox(services.microphone, services.sound, services.ui),
      services_(services),
      session_(services.fs, services.shell, services.sound, services.microphone),
      player_(services.ui, *this, MessageOwner, &Progress) {
    Icon = IDI_QUILLORY;
    Menu = &MainMenu1;
    OnCreate = [this] { FormCreate(); };
    OnCloseQuery = [this] { return FormCloseQuery(); };
    UnsavedWork = [this] {
        return std::string(Typed(Textes.ItemIndex()) || session_.AnyChanged() ? kUnsavedTexts : "");
    };
    OnDropFiles = [this](const std::vector<std::string>& paths) { FormDropFiles(paths); };
    for (int slot = 0; slot < kSlotCount; ++slot) {
        Textes.Add("");
    }

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
    RestoreVoice.OnClick = [this] { RestoreVoiceClick(); };
    AttachWav.OnClick = [this] { AttachWavClick(); };
    Record.OnClick = [this] { RecordClick(); };
    RunGame.OnClick = [this] { SpeedButton1Click(); };
    OpenFolder.OnClick = [this] { OpenFolderClick(); };
    RemoveCustom.OnClick = [this] { DeleteFilesBtnClick(); };
    Timer1.OnTimer = [this] { Timer1Timer(); };
    RecordBox.OnNext = [this] { RecordNext(); };
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    // Every box of the program is owned by the main window, so that it is modal to it.
    MessageOwner = Handle();
    Textes.SetItemIndex(0);
    InstallMissing = false;
    GetRepBase();
    if (InstallMissing) {
        return;
    }
    // A second copy on the same game brings the first to the front and ends.
    claim_ = ClaimGameFolder(session_.GameDir(), Handle());
    if (!claim_) {
        Close();
        return;
    }
    LoadTextFromFile();
}

void TForm1::GetRepBase() {
    // The voices are found as the game opens; the list shows them with the texts once those are
    // loaded, or failed to load (LoadTextFromFile): the 40 entries are filled once, not twice.
    if (session_.OpenInstalled(services_.registry)) {
        return;
    }
    InstallMissing = true;
    Timer1.SetEnabled(true);
}

void TForm1::LoadTextFromFile() {
    Showing([&] { session_.Load(); });
}

void TForm1::SaveTextFile() {
    Showing([&] { session_.Save(); });
}

void TForm1::Showing(const std::function<void()>& verb) {
    struct Shown {
        TForm1& form;
        ~Shown() { form.ShowSession(); }
    } shown{*this};
    verb();
}

void TForm1::ShowSession() {
    const int selected = Textes.ItemIndex();
    {
        const TComboBox::Update update(Textes);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (Textes.Items(slot) != session_.Text(slot)) {
                Textes.SetItem(slot, session_.Text(slot));
            }
            Textes.SetMarked(slot, session_.HasVoice(slot), TComboBox::Voice);
            Textes.SetMarked(slot, session_.Changed(slot), TComboBox::Changed);
        }
    }
    Textes.SetItemIndex(selected);
    TypePhrase.SetCaption(selected >= 0 ? categoryPhrase(selected) : "");
}

void TForm1::ShowSelectedText() {
    shownText_ = session_.Text(Textes.ItemIndex());
    NouveauTexte.SetText(shownText_);
}

bool TForm1::Typed(int slot) const {
    return NouveauTexte.Text() != shownText_ && session_.Typed(slot, NouveauTexte.Text());
}

bool TForm1::ApplyTypedFirst(int slot) {
    bool goOn = true;
    if (Typed(slot)) {
        Showing([&] { goOn = session_.ApplyTypedFirst(slot, NouveauTexte.Text(), player_); });
        if (!goOn) {
            NouveauTexte.SetFocus();  // back to the text, to go on with it
        }
    }
    return goOn;
}

void TForm1::TextesChange() {
    const int picked = Textes.ItemIndex();
    if (picked != selected_) {
        Textes.SetItemIndex(selected_);
        if (!ApplyTypedFirst(selected_)) {
            return;
        }
        Textes.SetItemIndex(picked);
    }
    selected_ = picked;
    ShowSelectedText();
    TypePhrase.SetCaption(categoryPhrase(picked));
}

void TForm1::Button1Click() {
    const std::string typed = NouveauTexte.Text();
    if (session_.Change(Textes.ItemIndex(), typed, player_)) {
        shownText_ = typed;
        ShowSession();
    }
}

void TForm1::TextClick() {
    const int slot = Textes.ItemIndex();
    UndoChange.SetEnabled(session_.Changed(slot));
    RestoreDefault.SetEnabled(session_.NotDefault(slot));
}

void TForm1::UndoChangeClick() { ShowTextChange(session_.UndoChange(Textes.ItemIndex())); }

void TForm1::RestoreDefaultClick() { ShowTextChange(session_.RestoreDefault(Textes.ItemIndex())); }

void TForm1::ShowTextChange(bool changed) {
    if (changed) {
        ShowSession();
        ShowSelectedText();
    }
}

void TForm1::BitBtn1Click() {
    if (ApplyTypedFirst(Textes.ItemIndex())) {
        Showing([&] { session_.SaveText(player_); });
    }
}

void TForm1::ReloadBtnClick() {
    // The edit keeps what it holds, which the player typed before the texts went back.
    Showing([&] {
        if (session_.Revert(player_)) {
            shownText_ = NouveauTexte.Text();
        }
    });
}

void TForm1::Timer1Timer() {
    Timer1.SetEnabled(false);
    services_.ui.ShowMessageBox(MessageOwner, kNotInstalled, kNotInstalledCaption,
                                kMbOk | kMbIconStop);
    Close();
}

void TForm1::WavBtnClick() {
    if (!session_.Busy() && services_.ui.Execute(OpenDialog)) {
        Showing([&] { session_.AttachSound(Textes.ItemIndex(), OpenDialog.FileName, player_); });
    }
}

void TForm1::DeleteFilesBtnClick() {
    if (session_.RemoveEverything(player_)) {
        ShowSession();
        Close();
    }
}

void TForm1::SpeedButton1Click() {
    if (ApplyTypedFirst(Textes.ItemIndex())) {
        Showing([&] { session_.RunGame(Handle(), player_); });
    }
}

void TForm1::OpenFolderClick() { session_.OpenFolder(Handle(), player_); }

void TForm1::AboutClick() {
    if (AboutBox != nullptr) {
        services_.ui.ShowModal(*AboutBox);
    }
}

void TForm1::VoiceClick() {
    const bool voice = session_.HasVoice(Textes.ItemIndex());
    Play.SetEnabled(voice);
    Stop.SetEnabled(session_.Playing());
    RemoveVoice.SetEnabled(voice);
    RestoreVoice.SetEnabled(session_.HasPreviousVoice(Textes.ItemIndex()));
}

void TForm1::PlayClick() { session_.Play(Textes.ItemIndex(), player_); }

void TForm1::StopClick() { session_.StopPlaying(); }

void TForm1::RemoveVoiceClick() {
    Showing([&] { session_.RemoveVoice(Textes.ItemIndex(), player_); });
}

void TForm1::RestoreVoiceClick() {
    Showing([&] { session_.RestorePreviousVoice(Textes.ItemIndex(), player_); });
}

void TForm1::AttachWavClick() { WavBtnClick(); }

void TForm1::RecordClick() {
    const int slot = Textes.ItemIndex();
    if (!session_.MayRecord(slot, player_)) {
        return;
    }
    PrepareRecording(slot);
    services_.ui.ShowModal(RecordBox);
    ShowSession();
}

void TForm1::PrepareRecording(int slot) {
    RecordBox.Prepare({session_.Text(slot), session_.HasVoice(slot), slot + 1, Textes.Count()},
                      [this, slot](std::string_view take) { session_.KeepTake(slot, take); });
}

void TForm1::RecordNext() {
    // The list follows the box, as if the player had picked the next message.
    ShowSession();
    Textes.UserSelected(Textes.ItemIndex() + 1);
    PrepareRecording(Textes.ItemIndex());
}

void TForm1::FormDropFiles(const std::vector<std::string>& paths) {
    Showing([&] { session_.DropFiles(Textes.ItemIndex(), paths, player_); });
}

bool TForm1::FormCloseQuery() {
    return ApplyTypedFirst(Textes.ItemIndex()) &&
           session_.SaveChangesFirst(SaveFirst::BeforeClosing, player_);
}

}  // namespace quillory
