// The main window's handlers, driven as the window code drives them: through the components'
// user events and with a user that answers the boxes.
#include "app/Unit1.h"

#include <gtest/gtest.h>

#include <algorithm>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include "app/Unit2.h"
#include "app/error_box.h"
#include "formats/commfile.h"
#include "game/slots.h"
#include "platform/error.h"
#include "tests/support/bytes.h"
#include "tests/support/expected.h"
#include "tests/support/fakes.h"
#include "tests/support/faulty_fs.h"
#include "tests/support/game_folder.h"

namespace quillory {
namespace {

using test::GameFolder;
using test::MemoryRegistry;
using test::RecordingShell;
using test::ScriptedUi;

constexpr char kFile[] = "language\\pilots\\player_1.eng";
const auto kMainWindow = reinterpret_cast<WindowHandle>(0x5151);

class MainWindow : public testing::Test {
protected:
    GameFolder game;
    MemoryRegistry registry = MemoryRegistry::installedAt(game.dir());
    RecordingShell shell;
    test::RecordingSound sound;
    test::ScriptedMicrophone microphone;
    ScriptedUi ui;
    std::unique_ptr<TForm1> form;

    // Creates the window as the program entry does.
    void start(FileSystem& fs = systemFileSystem()) {
        form = std::make_unique<TForm1>(Services{fs, registry, shell, sound, ui, microphone});
        form->AttachHandle(kMainWindow);
        RunHandler(ui, [&] { form->FormCreate(); });
    }

    // A user action, as the event loop runs it.
    template <typename Action>
    void user(Action&& action) {
        RunHandler(ui, action);
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (int slot = 0; slot < form->Textes.Count(); ++slot) {
            all.push_back(form->Textes.Items(slot));
        }
        return all;
    }

    static std::vector<std::string> defaults() { return test::defaultTexts(); }

    void writeFile(const std::vector<std::string>& texts) {
        game.makeDir("language\\pilots");
        game.write(kFile, test::commFile(texts));
    }

    void change(int slot, const std::string& text) {
        form->Textes.UserSelected(slot);
        form->NouveauTexte.SetText(text);
        user([&] { form->Button1.Click(); });
    }
};

TEST_F(MainWindow, FirstStartCreatesTheFileFromTheDefaults) {
    start();
    EXPECT_EQ(game.read(kFile), test::commFile(defaults()));
    EXPECT_EQ(game.read(kFile).size(), 1184u);
    EXPECT_EQ(game.listing(""), "Language");
    EXPECT_EQ(game.listing("Language"), "pilots");
    EXPECT_EQ(texts(), defaults());
    EXPECT_EQ(form->Textes.ItemIndex(), 0);
    EXPECT_EQ(form->TypePhrase.Caption(), "Break and attack.");
    EXPECT_EQ(form->NouveauTexte.Text(), "");
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_FALSE(form->InstallMissing);
    EXPECT_FALSE(form->Timer1.Enabled());
    EXPECT_EQ(registry.askedKey, "SOFTWARE\\Origin Systems\\Wing Commander Secret Ops");
    EXPECT_EQ(registry.askedValue, "Installed To:");
}

TEST_F(MainWindow, ExistingFoldersOfAnyCaseAreUsed) {
    game.makeDir("LANGUAGE");
    start();
    EXPECT_EQ(game.listing(""), "LANGUAGE");
    EXPECT_EQ(game.listing("LANGUAGE"), "pilots");
    EXPECT_EQ(game.read(kFile).size(), 1184u);
}

TEST_F(MainWindow, StartLoadsTheFileThatIsThere) {
    std::vector<std::string> mine(40);
    mine[0] = "Charge!";
    mine[39] =
        "\xC9"
        "chec.";
    std::string header = test::defaultHeader();
    header[35] = 'X';  // "EngXish": another producer's header
    game.makeDir("language\\pilots");
    game.write(kFile, test::commFile(header, mine) + "tail");
    start();
    std::vector<std::string> shown = mine;
    shown[39] =
        "\xC3\x89"
        "chec.";  // the list holds UTF-8
    EXPECT_EQ(texts(), shown);
    EXPECT_EQ(form->Session().CommFileHeader().substr(32, 7), "EngXish");
    EXPECT_EQ(form->TypePhrase.Caption(), "Break and attack.");

    user([&] { form->BitBtn1.Click(); });
    // The foreign header comes back, with the sizes computed; the tail is gone.
    EXPECT_EQ(game.read(kFile), test::commFile(header, mine));
}

TEST_F(MainWindow, GameNotInstalledIsReportedOnceAndEndsTheProgram) {
    for (const RegistryLookup& record : {RegistryLookup{RegistryLookup::Outcome::KeyMissing, ""},
                                         RegistryLookup{RegistryLookup::Outcome::ValueMissing, ""},
                                         RegistryLookup{RegistryLookup::Outcome::String, ""}}) {
        ui.boxes.clear();
        registry.record = record;
        start();
        EXPECT_TRUE(form->InstallMissing);
        EXPECT_TRUE(form->Timer1.Enabled());
        EXPECT_EQ(texts(), std::vector<std::string>(40));
        EXPECT_EQ(form->TypePhrase.Caption(), "");
        EXPECT_EQ(game.listing(""), "");
        EXPECT_TRUE(ui.boxes.empty());

        form->Timer1.Tick();
        EXPECT_FALSE(form->Timer1.Enabled());
        EXPECT_EQ(ui.shown(), std::vector<std::string>{
                                  "Registry read ERROR|Secret Ops is not properly installed on "
                                  "this computer."});
        EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconStop);
        EXPECT_EQ(ui.boxes[0].owner, kMainWindow);
        EXPECT_TRUE(form->Closed());
        form->Timer1.Tick();
        EXPECT_EQ(ui.boxes.size(), 1u);
    }
}

TEST_F(MainWindow, InstalledFolderWithoutFinalBackslashGetsOne) {
    std::string dir = game.dir();
    dir.pop_back();
    registry.record.value = dir;
    start();
    EXPECT_EQ(form->Session().GameDir(), dir + "\\");
    EXPECT_EQ(game.read(kFile).size(), 1184u);
}

TEST_F(MainWindow, ValueOfAnotherTypeShowsTheErrorAndTheWindowStays) {
    registry.record = {RegistryLookup::Outcome::OtherType, ""};
    start();
    EXPECT_EQ(ui.shown(),
              std::vector<std::string>{"Quillory|Invalid data type for 'Installed To:'"});
    EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconStop | kMbTaskModal);
    EXPECT_EQ(ui.boxes[0].owner, ui.applicationWindow);
    EXPECT_FALSE(form->InstallMissing);
    EXPECT_FALSE(form->Timer1.Enabled());
    EXPECT_FALSE(form->Closed());
    EXPECT_EQ(game.listing(""), "");
}

TEST_F(MainWindow, SelectingASlotShowsItsTextAndCategory) {
    start();
    form->NouveauTexte.SetText("typed, never committed");
    ui.answers = {kIdNo};  // not applied
    form->Textes.UserSelected(17);
    EXPECT_EQ(form->NouveauTexte.Text(), "Here's some blackness for you!");
    EXPECT_EQ(form->TypePhrase.Caption(), "Taunt");
    form->Textes.UserSelected(31);
    EXPECT_EQ(form->TypePhrase.Caption(), "Request landing clearance.");
    EXPECT_EQ(form->NouveauTexte.Text(), "Need clearance, Cerberus.");
}

TEST_F(MainWindow, ChangeReplacesTheTextInMemoryOnly) {
    start();
    const std::string before = game.read(kFile);
    change(12, "Home, James.");
    EXPECT_EQ(form->Textes.Items(12), "Home, James.");
    EXPECT_EQ(form->Textes.ItemIndex(), 12);
    EXPECT_EQ(form->NouveauTexte.Text(), "Home, James.");
    EXPECT_EQ(form->TypePhrase.Caption(), "Return to base.");
    EXPECT_EQ(form->Textes.Count(), 40);
    EXPECT_EQ(game.read(kFile), before);

    change(3, "");
    EXPECT_EQ(form->Textes.Items(3), "");
}

TEST_F(MainWindow, SaveAsksFirstAndWritesOnlyAfterOk) {
    start();
    const std::string before = game.read(kFile);
    change(2, "Get 'em, \xC3\xA9quipe!");  // typed: UTF-8

    ui.answers = {kIdCancel};
    user([&] { form->BitBtn1.Click(); });
    EXPECT_EQ(game.read(kFile), before);
    EXPECT_EQ(ui.shown().back(), "|Save changes to the text comm file ?");
    EXPECT_EQ(ui.boxes.back().style, kMbOkCancel | kMbIconQuestion);
    EXPECT_EQ(ui.boxes.back().owner, kMainWindow);

    user([&] { form->BitBtn1.Click(); });
    std::vector<std::string> expected = defaults();
    expected[2] = "Get 'em, \xE9quipe!";
    EXPECT_EQ(game.read(kFile), test::commFile(expected));
    EXPECT_EQ(game.listing("Language\\pilots"), "player_1.eng");
    EXPECT_EQ(ui.boxes.size(), 2u);
}

TEST_F(MainWindow, RevertReloadsTheSavedTextsAndKeepsTheEdit) {
    start();
    change(20, "Ugly? Me?");
    ui.answers = {kIdCancel};
    user([&] { form->ReloadBtn.Click(); });
    EXPECT_EQ(form->Textes.Items(20), "Ugly? Me?");
    EXPECT_EQ(ui.shown().back(), "|Load text comm file as it was when last saved ?");
    EXPECT_EQ(ui.boxes.back().owner, kMainWindow);

    user([&] { form->ReloadBtn.Click(); });
    EXPECT_EQ(texts(), defaults());
    EXPECT_EQ(form->Textes.ItemIndex(), 20);
    EXPECT_EQ(form->TypePhrase.Caption(), "Taunt");
    EXPECT_EQ(form->NouveauTexte.Text(), "Ugly? Me?");
}

TEST_F(MainWindow, RevertAfterTheFileWasDeletedCreatesItAgain) {
    std::vector<std::string> mine(40);
    mine[1] = "mine";
    writeFile(mine);
    start();
    ASSERT_TRUE(systemFileSystem().deleteFile(game.path(kFile)));
    user([&] { form->ReloadBtn.Click(); });
    EXPECT_EQ(texts(), defaults());
    EXPECT_EQ(game.read(kFile), test::commFile(defaults()));
}

TEST_F(MainWindow, TruncatedFileChangesNothingInMemory) {
    std::vector<std::string> mine(40, "x");
    writeFile(mine);
    start();
    form->Textes.UserSelected(9);
    change(9, "unsaved");
    const std::string header = form->Session().CommFileHeader();
    const std::string whole = game.read(kFile);
    for (std::size_t cut : {std::size_t{50}, std::size_t{100}, whole.size() - 1}) {
        game.write(kFile, whole.substr(0, cut));
        ui.boxes.clear();
        user([&] { form->ReloadBtn.Click(); });
        EXPECT_EQ(ui.shown().back(), "Quillory|Read beyond end of file.") << cut;
        EXPECT_EQ(form->Textes.Items(9), "unsaved") << cut;
        EXPECT_EQ(form->Textes.Items(8), "x") << cut;
        EXPECT_EQ(form->Textes.ItemIndex(), 9);
        EXPECT_EQ(form->Session().CommFileHeader(), header);
        EXPECT_EQ(form->TypePhrase.Caption(), "Attack my target.");
        EXPECT_EQ(game.read(kFile), whole.substr(0, cut)) << "a load never writes";
    }
}

TEST_F(MainWindow, SaveWithoutALoadedHeaderWritesTheDefaultOne) {
    game.makeDir("language\\pilots");
    game.write(kFile, "FORM short");
    start();
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"Quillory|Read beyond end of file."});
    EXPECT_EQ(form->Session().CommFileHeader(), test::defaultHeader()) << "the defaults shown";
    change(0, "Go!");
    user([&] { form->BitBtn1.Click(); });
    std::vector<std::string> expected = defaults();
    expected[0] = "Go!";
    EXPECT_EQ(game.read(kFile), test::commFile(expected));
}

TEST_F(MainWindow, MissingGameFolderIsReportedAsAnInvalidFilename) {
    registry.record.value = game.path("gone\\");
    start();
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"Quillory|Invalid filename."});
    EXPECT_EQ(texts(), defaults());
    EXPECT_EQ(form->Session().CommFileHeader(), test::defaultHeader());
    EXPECT_FALSE(form->Closed());
}

TEST_F(MainWindow, ReadOnlyFileLoadsButIsNotSaved) {
    std::vector<std::string> mine(40);
    mine[4] = "read only";
    writeFile(mine);
    game.setReadOnly(kFile, true);
    const std::string before = game.read(kFile);
    start();
    EXPECT_EQ(form->Textes.Items(4), "read only");
    change(4, "changed");
    user([&] { form->BitBtn1.Click(); });
    EXPECT_EQ(ui.shown().back(), "Quillory|File access denied.");
    EXPECT_EQ(game.read(kFile), before);
    EXPECT_EQ(game.listing("language\\pilots"), "player_1.eng");
    EXPECT_EQ(form->Textes.Items(4), "changed");
}

TEST_F(MainWindow, SaveFailingAtAnyStepLeavesTheFileAndNoTemporary) {
    start();
    const std::string before = game.read(kFile);
    test::FaultyFileSystem counting;
    auto counter =
        std::make_unique<TForm1>(Services{counting, registry, shell, sound, ui, microphone});
    RunHandler(ui, [&] { counter->FormCreate(); });
    const int loadSteps = counting.steps();
    counter->SaveTextFile();
    const int saveSteps = counting.steps() - loadSteps;
    ASSERT_GE(saveSteps, 4);
    for (int step = 1; step <= saveSteps; ++step) {
        test::FaultyFileSystem faulty(loadSteps + step, kDiskFull);
        ui.boxes.clear();
        start(faulty);
        change(6, "never stored");
        user([&] { form->BitBtn1.Click(); });
        EXPECT_EQ(ui.shown().back(), "Quillory|Disk full.") << "step " << step;
        EXPECT_EQ(game.read(kFile), before) << "step " << step;
        EXPECT_EQ(game.listing("Language\\pilots"), "player_1.eng") << "step " << step;
    }
}

#ifndef _WIN32
TEST_F(MainWindow, SaveOnAFullDiskLeavesTheFileAndNoTemporary) {
    start();
    const std::string before = game.read(kFile);
    change(6, std::string(4000, 'z'));
    // Writes past 2 KiB fail as on a full disk.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = old;
    tiny.rlim_cur = 2048;
    setrlimit(RLIMIT_FSIZE, &tiny);
    user([&] { form->BitBtn1.Click(); });
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(ui.shown().back(), "Quillory|Disk full.");
    EXPECT_EQ(game.read(kFile), before);
    EXPECT_EQ(game.listing("Language\\pilots"), "player_1.eng");
}
#endif

TEST_F(MainWindow, TextsOfAnyLengthGoThroughUnchanged) {
    start();
    const std::string longText(70000, 'w');
    change(10, longText);
    user([&] { form->BitBtn1.Click(); });
    user([&] { form->ReloadBtn.Click(); });
    EXPECT_EQ(form->Textes.Items(10), longText);
    form->Textes.UserSelected(10);
    EXPECT_EQ(form->NouveauTexte.Text(), longText);
}

TEST_F(MainWindow, ClosingAsksOnlyAboutUnsavedChanges) {
    start();
    EXPECT_TRUE(form->FormCloseQuery());
    EXPECT_TRUE(ui.boxes.empty());

    change(0, "unsaved");
    ui.answers = {kIdCancel};
    EXPECT_FALSE(form->FormCloseQuery());
    EXPECT_EQ(ui.shown().back(), "|Save changes to the text comm file ?");
    EXPECT_EQ(ui.boxes.back().style, kMbYesNoCancel | kMbIconQuestion);
    EXPECT_EQ(ui.boxes.back().owner, kMainWindow);

    ui.answers = {kIdNo};
    EXPECT_TRUE(form->FormCloseQuery());
    EXPECT_EQ(form->Textes.Items(0), "unsaved");
    EXPECT_EQ(game.read(kFile), test::commFile(defaults()));

    ui.answers = {kIdYes};
    EXPECT_TRUE(form->FormCloseQuery());
    std::vector<std::string> expected = defaults();
    expected[0] = "unsaved";
    EXPECT_EQ(game.read(kFile), test::commFile(expected));
    EXPECT_TRUE(form->FormCloseQuery()) << "saved: nothing to ask";
}

TEST_F(MainWindow, SaveOrRevertClearsTheUnsavedMark) {
    start();
    change(0, "a");
    user([&] { form->ReloadBtn.Click(); });
    EXPECT_TRUE(form->FormCloseQuery());
    change(0, "b");
    user([&] { form->BitBtn1.Click(); });
    const std::size_t boxes = ui.boxes.size();
    EXPECT_TRUE(form->FormCloseQuery());
    EXPECT_EQ(ui.boxes.size(), boxes);
}

TEST_F(MainWindow, CloseWhoseSaveFailsKeepsTheWindow) {
    start();
    change(0, "unsaved");
    game.setReadOnly("Language\\pilots\\player_1.eng", true);
    ui.answers = {kIdYes};
    EXPECT_FALSE(form->FormCloseQuery());
    EXPECT_EQ(ui.shown().back(), "Quillory|File access denied.");
}

TEST_F(MainWindow, AfterAFailedLoadNoSaveWritesWithoutThePlayersWord) {
    const std::string whole = test::commFile(std::vector<std::string>(40, "mine"));
    game.makeDir("language\\pilots");
    game.write(kFile, whole.substr(0, 200));
    start();
    change(0, "typed");
    const std::string unread =
        "|The text comm file could not be read. Save the texts shown in its place ?";
    ui.answers = {kIdCancel};
    user([&] { form->BitBtn1.Click(); });
    EXPECT_EQ(ui.shown().back(), unread) << "in place of the usual question";
    EXPECT_EQ(ui.boxes.back().style, kMbOkCancel | kMbIconWarning | kMbDefButton2);
    ui.answers = {kIdYes, kIdCancel};
    EXPECT_FALSE(form->FormCloseQuery());
    EXPECT_EQ(ui.shown().back(), unread);
    EXPECT_EQ(game.read(kFile), whole.substr(0, 200));

    // A load that works lifts it.
    game.write(kFile, whole);
    user([&] { form->ReloadBtn.Click(); });
    change(0, "typed");
    ui.boxes.clear();
    user([&] { form->BitBtn1.Click(); });
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"|Save changes to the text comm file ?"});
    EXPECT_EQ(form->Textes.Items(0), "typed");
    EXPECT_NE(game.read(kFile), whole);
}

TEST_F(MainWindow, ChangeRefusesCharactersThatTheGamesTextsCannotHold) {
    start();
    const struct {
        const char* typed;
        const char* stored;  // as the list holds it, in UTF-8; null: refused, naming these
        const char* refused;
    } cases[] = {
        {"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, "
         "\xD0\xBF\xD0\xB8\xD0\xBB\xD0\xBE\xD1\x82!",
         nullptr,
         "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\xD0\xBF\xD0\xBB\xD0\xBE"},  // "Привет,
                                                                                       // пилот!"
        {"Fire \xF0\x9F\x9A\x80!", nullptr, "\xF0\x9F\x9A\x80"},
        {"R\xC3\xA9veil", "R\xC3\xA9veil", nullptr},
#ifdef _WIN32
        {"Re\xCC\x81veil", "R\xC3\xA9veil", nullptr},  // "e" + U+0301: the code page's "é"
#endif
    };
    for (const auto& typed : cases) {
        ui.boxes.clear();
        change(3, typed.typed);
        if (typed.stored) {
            EXPECT_EQ(form->Textes.Items(3), typed.stored);
            EXPECT_TRUE(ui.boxes.empty());
        } else {
            EXPECT_EQ(form->Textes.Items(3), test::defaultTexts()[3]) << "nothing changes";
            EXPECT_EQ(ui.shown(),
                      std::vector<std::string>{
                          std::string("Error|These characters cannot be stored in the game's "
                                      "texts: ") +
                          typed.refused});
            EXPECT_EQ(ui.boxes.back().style, kMbOk | kMbIconWarning);
        }
    }
}

TEST_F(MainWindow, StartUpRemovesOnlyTheTemporaryFilesOfUnfinishedWrites) {
    game.makeDir("language\\pilots");
    game.makeDir("audio\\speech");
    const std::vector<std::string> leftovers = {
        std::string(kFile) + ".tmp", test::speechName(0) + ".tmp", test::speechName(39) + ".tmp"};
    for (const std::string& name : leftovers) {
        game.write(name, "killed half way");
    }
    game.write("audio\\speech\\00740040.iff.tmp", "not ours");
    game.write("audio\\speech\\notes.tmp", "not ours");
    start();
    for (const std::string& name : leftovers) {
        EXPECT_FALSE(game.exists(name)) << name;
    }
    EXPECT_EQ(game.listing("audio\\speech"), "00740040.iff.tmp notes.tmp");
}

TEST_F(MainWindow, RunSecretOpsAndOpenGameFolderHandTheirFileToTheShell) {
    start();
    user([&] { form->SpeedButton1.Click(); });
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].owner, kMainWindow);
    EXPECT_EQ(shell.calls[0].file, "Secretops.exe");
    EXPECT_EQ(shell.calls[0].parameters, "");
    EXPECT_EQ(shell.calls[0].directory, game.dir());
    EXPECT_EQ(shell.calls[0].showCommand, 5);
    EXPECT_TRUE(ui.boxes.empty());

    shell.result = 2;
    user([&] { form->SpeedButton1.Click(); });
    EXPECT_EQ(ui.shown(),
              std::vector<std::string>{"Error|Cannot start Secretops.exe from " + game.dir()});
    EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconStop);
    EXPECT_EQ(shell.calls.size(), 2u);

    user([&] { form->OpenFolder.Click(); });
    EXPECT_EQ(shell.calls.back().file, game.dir());
    EXPECT_EQ(ui.shown().back(), "Error|Cannot open " + game.dir());
    EXPECT_EQ(ui.boxes.back().style, kMbOk | kMbIconStop);
}

TEST_F(MainWindow, TheTextMenuAndTheChangeMarksFollowWhatDiffersFromTheFile) {
    std::vector<std::string> mine = defaults();
    mine[2] = "Mine";
    writeFile(mine);
    start();
    const auto changed = [&] {
        std::vector<int> slots;
        for (int slot = 0; slot < 40; ++slot) {
            if (form->Textes.Marked(slot, TComboBox::Changed)) {
                slots.push_back(slot);
            }
        }
        return slots;
    };
    const auto menu = [&] {
        user([&] { form->Text.Click(); });
        return std::pair{form->UndoChange.Enabled(), form->RestoreDefault.Enabled()};
    };
    change(2, "Other");
    change(5, "Five");
    EXPECT_EQ(changed(), (std::vector<int>{2, 5}));
    change(5, defaults()[5]);
    EXPECT_EQ(changed(), std::vector<int>{2}) << "as the file has it again";
    EXPECT_EQ(menu(), std::pair(false, false)) << "slot 5: unchanged, the default text";

    form->Textes.UserSelected(2);
    EXPECT_EQ(menu(), std::pair(true, true));
    user([&] { form->UndoChange.Click(); });
    EXPECT_EQ(form->Textes.Items(2), "Mine");
    EXPECT_EQ(form->NouveauTexte.Text(), "Mine");
    EXPECT_EQ(changed(), std::vector<int>{});
    EXPECT_EQ(menu(), std::pair(false, true));
    user([&] { form->RestoreDefault.Click(); });
    EXPECT_EQ(form->Textes.Items(2), defaults()[2]);
    EXPECT_EQ(changed(), std::vector<int>{2});
    EXPECT_EQ(menu(), std::pair(true, false));
    EXPECT_EQ(form->Textes.ItemIndex(), 2);
    EXPECT_EQ(game.read(kFile), test::commFile(mine)) << "neither writes the file";

    user([&] { form->SaveText.Click(); });
    EXPECT_EQ(ui.shown().back(), "|Save changes to the text comm file ?");
    EXPECT_EQ(game.read(kFile), test::commFile(defaults()));
    EXPECT_EQ(changed(), std::vector<int>{});
}

TEST_F(MainWindow, RunSecretOpsAsksToSaveChangedTextsFirst) {
    start();
    const struct {
        int answer;
        bool started, saved;
    } answers[] = {{kIdCancel, false, false}, {kIdNo, true, false}, {kIdYes, true, true}};
    for (const auto& then : answers) {
        change(1, "Unsaved " + std::to_string(then.answer));
        shell.calls.clear();
        ui.boxes.clear();
        ui.answers = {then.answer};
        user([&] { form->SpeedButton1.Click(); });
        EXPECT_EQ(ui.shown(),
                  std::vector<std::string>{
                      "|Save changes to the text comm file before starting the game ?"});
        EXPECT_EQ(ui.boxes[0].style, kMbYesNoCancel | kMbIconQuestion);
        EXPECT_EQ(shell.calls.size(), then.started ? 1u : 0u) << then.answer;
        EXPECT_EQ(game.read(kFile).find("Unsaved") != std::string::npos, then.saved);
    }
}

TEST_F(MainWindow, AttachWavTellsHowTheImportWentAndMovesTheBar) {
    start();
    const std::string pcm = test::waveFile(1, 1, 8000, 8, test::pattern(10));
    struct Case {
        std::string what;
        std::string wave;
        std::vector<std::string> boxes;
        std::vector<unsigned> styles;
        int bar;  // where the bar stays
    };
    const std::string notWave = "Error|This is not a valid WAVE file";
    const std::vector<Case> cases = {
        {"PCM", pcm, {"|Done !"}, {kMbOk}, 0},
        {"empty",
         "",
         {"Error|Empty file", notWave},
         {kMbOk | kMbIconWarning, kMbOk | kMbIconWarning},
         0},
        {"not WAVE",
         std::string("RIFF\0\0\0\0AVI fmt ", 16),
         {notWave},
         {kMbOk | kMbIconWarning},
         0},
        {"short format chunk",
         test::Wave().chunk("fmt ", test::formatBlock(1, 1, 8000, 8).substr(0, 14)).bytes(),
         {notWave},
         {kMbOk | kMbIconWarning},
         1},
        {"no channel",
         test::waveFile(1, 0, 8000, 8, test::pattern(10)),
         {notWave},
         {kMbOk | kMbIconWarning},
         1},
        {"not PCM",
         test::waveFile(2, 1, 8000, 4, test::pattern(10)),
         {"Error|This is not an uncompressed WAVE file.  Use microsoft PCM encoding."},
         {kMbOk | kMbIconStop},
         1},
        {"too short",
         "RIFF",
         {"Quillory|Read beyond end of file."},
         {kMbOk | kMbIconStop | kMbTaskModal},
         0},
        {"no data chunk",
         pcm.substr(0, 36),
         {"Quillory|Read beyond end of file."},
         {kMbOk | kMbIconStop | kMbTaskModal},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        game.write("voice.wav", c.wave);
        ui.boxes.clear();
        ui.chosenFiles = {game.path("voice.wav")};
        int barWhileShown = -1;
        ui.onBox = [&](const ScriptedUi::Box&) { barWhileShown = form->Progress.Position(); };
        form->Textes.UserSelected(3);
        user([&] { form->WavBtn.Click(); });
        EXPECT_EQ(ui.shown(), c.boxes);
        std::vector<unsigned> styles;
        for (const ScriptedUi::Box& box : ui.boxes) {
            styles.push_back(box.style);
            EXPECT_EQ(box.owner, box.caption == "Quillory" ? ui.applicationWindow : kMainWindow);
        }
        EXPECT_EQ(styles, c.styles);
        EXPECT_EQ(form->Progress.Position(), c.bar);
        if (c.what == "PCM") {
            EXPECT_EQ(barWhileShown, 100) << "the bar is full while \"Done !\" shows";
            EXPECT_EQ(game.read("audio\\speech\\00740003.iff"),
                      test::speechFile(test::formatBlock(1, 1, 8000, 8), test::pattern(10)));
        }
        form->Progress.SetPosition(0);
    }
    ui.onBox = nullptr;
    EXPECT_EQ(game.listing("audio\\speech"), "00740003.iff");
    ASSERT_EQ(ui.dialogs.size(), cases.size());
    EXPECT_EQ(ui.dialogs[0].Title, "Select a WAV file...");
}

// A progress bar that remembers every position it was given.
class RecordingBar : public TProgressBar::Widget {
public:
    std::vector<int> positions;
    int Position() const override { return positions.empty() ? 0 : positions.back(); }
    void SetPosition(int position) override { positions.push_back(position); }
    int Max() const override { return 100; }
    void SetMax(int) override {}
};

TEST_F(MainWindow, AConvertedFileIsImportedOnlyAfterTheUserSaidSo) {
    start();
    // 24-bit stereo: 3 MB of frames, so that the conversion takes several blocks.
    std::string frames;
    for (int i = 0; i < 500000; ++i) {
        frames += test::le(0x123456, 3) + test::le(0xFEDCBA, 3);  // 0x1234.56, -0x0123.46
    }
    game.write("voice.wav", test::waveFile(1, 2, 8000, 24, frames));
    form->Textes.UserSelected(4);
    ui.chosenFiles = {game.path("voice.wav"), game.path("voice.wav")};
    ui.answers = {kIdCancel};
    user([&] { form->WavBtn.Click(); });
    const std::string question = "|This WAV file has 24-bit samples. Convert it to 16-bit PCM ?";
    EXPECT_EQ(ui.shown(), std::vector<std::string>{question}) << "Cancel ends it, no word";
    EXPECT_EQ(ui.boxes[0].style, kMbOkCancel | kMbIconQuestion);
    EXPECT_EQ(ui.boxes[0].owner, kMainWindow);
    EXPECT_EQ(form->Progress.Position(), 1);
    EXPECT_FALSE(game.exists("audio"));

    RecordingBar positions;
    form->Progress.widget.Attach(positions);
    ui.boxes.clear();
    // In the middle of the write the window answers but takes no input, and nothing starts a
    // second import.
    ui.onProcessMessages = [&] {
        EXPECT_FALSE(form->Enabled());
        form->WavBtn.Click();
        form->FormDropFiles({game.path("voice.wav")});
    };
    user([&] { form->WavBtn.Click(); });
    EXPECT_GT(ui.processed, 2);
    EXPECT_TRUE(form->Enabled());
    EXPECT_EQ(ui.dialogs.size(), 2u);
    EXPECT_EQ(ui.shown(), (std::vector<std::string>{question, "|Done !"}));
    std::string sixteen;
    for (int i = 0; i < 500000; ++i) {
        sixteen += test::le(0x1234, 2) + test::le(0xFEDD, 2);
    }
    EXPECT_EQ(game.read("audio\\speech\\00740004.iff"),
              test::speechFile(test::formatBlock(1, 2, 8000, 16), sixteen));
    // 1 once the form type passed, 5 with the format block, then up with the bytes to the end,
    // and empty again after "Done !".
    const std::vector<int>& seen = positions.positions;
    ASSERT_GE(seen.size(), 6u);
    EXPECT_EQ(seen[0], 1);
    EXPECT_EQ(seen[1], 5);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end() - 1));
    EXPECT_GT(std::count_if(seen.begin(), seen.end(), [](int p) { return p > 5 && p < 100; }), 1);
    EXPECT_EQ(seen[seen.size() - 2], 100);
    EXPECT_EQ(seen.back(), 0);
}

TEST_F(MainWindow, AttachWavWithoutASlotOrAFileWritesNothing) {
    start();
    game.write("voice.wav", test::waveFile(1, 1, 8000, 8, test::pattern(10)));
    ui.chosenFiles = {""};  // the user cancels the dialog
    user([&] { form->WavBtn.Click(); });
    EXPECT_TRUE(ui.boxes.empty());

    form->Textes.SetItemIndex(-1);
    ui.chosenFiles = {game.path("voice.wav")};
    user([&] { form->WavBtn.Click(); });
    EXPECT_EQ(ui.shown(), std::vector<std::string>{
                              "Error|Select the communication to attach the WAV file to."});
    EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconWarning);

    ui.chosenFiles = {game.path("missing.wav")};
    form->Textes.SetItemIndex(2);
    user([&] { form->WavBtn.Click(); });
    EXPECT_EQ(ui.shown().back(), "Quillory|File not found.");
    EXPECT_FALSE(game.exists("audio"));
}

// --- Voices ---------------------------------------------------------------------------------

class Voices : public MainWindow {
protected:
    const std::string block = test::formatBlock(1, 1, 8000, 8);

    void writeVoice(int slot, const std::string& sound) {
        game.makeDir("audio\\speech");
        game.write(test::speechName(slot), test::speechFile(block, sound));
    }
    // The slots whose entry is marked.
    std::vector<int> marked() const {
        std::vector<int> slots;
        for (int slot = 0; slot < form->Textes.Count(); ++slot) {
            if (form->Textes.Marked(slot)) {
                slots.push_back(slot);
            }
        }
        return slots;
    }
    // What the Voice menu lets the user do now: Play, Stop, Remove voice....
    std::vector<bool> voiceMenu() {
        user([&] { form->Voice.Click(); });
        return {form->Play.Enabled(), form->Stop.Enabled(), form->RemoveVoice.Enabled()};
    }
    void drop(const std::vector<std::string>& paths) {
        user([&] { form->FormDropFiles(paths); });
    }
};

TEST_F(Voices, TheMarksFollowTheFilesOnDisk) {
    writeVoice(3, "three");
    writeVoice(12, "twelve");
    start();
    EXPECT_EQ(marked(), (std::vector<int>{3, 12}));

    // An import marks its slot.
    game.write("voice.wav", test::waveFile(1, 1, 8000, 8, test::pattern(10)));
    ui.chosenFiles = {game.path("voice.wav")};
    form->Textes.UserSelected(7);
    user([&] { form->AttachWav.Click(); });
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"|Done !"});
    EXPECT_EQ(marked(), (std::vector<int>{3, 7, 12}));

    // Files that came and went outside the program show after "Revert Text".
    writeVoice(39, "thirty-nine");
    game.write(test::speechName(20) + ".tmp", "half an import");
    ASSERT_TRUE(systemFileSystem().deleteFile(game.path(test::speechName(3))));
    EXPECT_EQ(marked(), (std::vector<int>{3, 7, 12}));
    user([&] { form->ReloadBtn.Click(); });
    EXPECT_EQ(marked(), (std::vector<int>{7, 12, 39}));

    // The removal of every file of the program takes every mark.
    user([&] { form->DeleteFilesBtn.Click(); });
    EXPECT_EQ(marked(), std::vector<int>{});
    EXPECT_TRUE(form->Closed());
}

TEST_F(Voices, TheMarksSurviveChangesOfTheTexts) {
    writeVoice(5, "five");
    start();
    change(5, "A new text for a slot with a voice");
    EXPECT_EQ(marked(), std::vector<int>{5});
    EXPECT_EQ(form->Textes.Items(5), "A new text for a slot with a voice");
}

TEST_F(Voices, PlayAndRemoveOnlyForASlotWithAVoice) {
    writeVoice(5, test::pattern(8000));
    start();
    EXPECT_EQ(voiceMenu(), (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(form->AttachWav.Enabled());
    user([&] { form->Play.Click(); });  // its shortcut works whatever the menu showed
    user([&] { form->RemoveVoice.Click(); });
    EXPECT_TRUE(sound.plays.empty());
    EXPECT_TRUE(ui.boxes.empty());

    form->Textes.UserSelected(5);
    EXPECT_EQ(voiceMenu(), (std::vector<bool>{true, false, true}));
    user([&] { form->Play.Click(); });
    EXPECT_EQ(voiceMenu(), (std::vector<bool>{true, true, true})) << "Stop while it plays";
    user([&] { form->Stop.Click(); });
    EXPECT_EQ(voiceMenu(), (std::vector<bool>{true, false, true}));
}

TEST_F(Voices, PlayGivesTheSoundTheSampleFormatAndBytes) {
    const std::string sound8k = test::pattern(8001);
    writeVoice(9, sound8k);
    start();
    form->Textes.UserSelected(9);
    user([&] { form->Play.Click(); });
    ASSERT_EQ(sound.plays.size(), 1u);
    EXPECT_EQ(sound.plays[0].format, (PcmFormat{1, 8000, 8}));
    EXPECT_EQ(sound.plays[0].samples, sound8k);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(Voices, PlayTellsWhatKeepsTheSoundFromPlaying) {
    writeVoice(1, test::pattern(100));
    game.write(test::speechName(2), "FORM not a speech sample at all");
    start();
    form->Textes.UserSelected(2);
    user([&] { form->Play.Click(); });
    form->Textes.UserSelected(1);
    sound.outcome = Sound::Outcome::NoDevice;
    user([&] { form->Play.Click(); });
    sound.outcome = Sound::Outcome::Refused;
    user([&] { form->Play.Click(); });
    EXPECT_EQ(ui.shown(), (std::vector<std::string>{"Error|This speech file cannot be played.",
                                                    "Error|No sound device is available.",
                                                    "Error|This speech file cannot be played."}));
    for (const ScriptedUi::Box& box : ui.boxes) {
        EXPECT_EQ(box.style, kMbOk | kMbIconWarning);
        EXPECT_EQ(box.owner, kMainWindow);
    }
    EXPECT_EQ(sound.plays.size(), 2u);
}

TEST_F(Voices, RemoveVoiceAsksThenDeletesTheFileAndTheEmptiedFolders) {
    writeVoice(4, "four");
    writeVoice(6, "six");
    start();
    game.write(test::speechName(4) + ".tmp", "half an import");
    form->Textes.UserSelected(4);
    ui.answers = {kIdCancel};
    user([&] { form->RemoveVoice.Click(); });
    EXPECT_EQ(ui.shown(),
              std::vector<std::string>{"|Remove the custom voice of this communication ?"});
    EXPECT_EQ(ui.boxes[0].style, kMbOkCancel | kMbIconQuestion);
    EXPECT_EQ(ui.boxes[0].owner, kMainWindow);
    EXPECT_EQ(game.listing("audio\\speech"), "00740004.iff 00740004.iff.tmp 00740006.iff");

    user([&] { form->Play.Click(); });  // its sound, which holds the file, stops first
    user([&] { form->RemoveVoice.Click(); });
    EXPECT_FALSE(sound.playing);
    EXPECT_EQ(game.listing("audio\\speech"), "00740006.iff");
    EXPECT_EQ(marked(), std::vector<int>{6});
    form->Textes.UserSelected(6);
    user([&] { form->RemoveVoice.Click(); });
    EXPECT_EQ(game.listing(""), "Language") << "audio\\speech and audio go when emptied";
    EXPECT_EQ(marked(), std::vector<int>{});
    EXPECT_EQ(ui.boxes.size(), 3u);
    EXPECT_FALSE(form->Closed());
}

TEST_F(Voices, AVoiceThatCannotBeDeletedIsNamedAndKeepsItsMark) {
    writeVoice(8, "eight");
    game.setReadOnly(test::speechName(8), true);
    start();
    form->Textes.UserSelected(8);
    user([&] { form->RemoveVoice.Click(); });
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.shown()[1],
              "Error|These files could not be deleted:\n" + game.path(test::speechName(8)));
    EXPECT_EQ(ui.boxes[1].style, kMbOk | kMbIconWarning);
    EXPECT_EQ(marked(), std::vector<int>{8});
    EXPECT_TRUE(game.exists(test::speechName(8)));
    EXPECT_FALSE(form->Closed());
}

TEST_F(Voices, ADroppedFileIsAttachedAsByTheButton) {
    start();
    game.write("voice.wav", test::waveFile(1, 1, 8000, 8, test::pattern(10)));
    game.write("other.wav", test::waveFile(1, 1, 8000, 8, test::pattern(20)));
    game.makeDir("recordings.wav");
    form->Textes.UserSelected(11);

    drop({game.path("voice.wav"), game.path("other.wav")});
    drop({game.path("recordings.wav")});
    EXPECT_EQ(ui.shown(), (std::vector<std::string>{"Error|Drop one WAV file at a time.",
                                                    "Error|This is not a valid WAVE file"}));
    for (const ScriptedUi::Box& box : ui.boxes) {
        EXPECT_EQ(box.style, kMbOk | kMbIconWarning);
    }
    EXPECT_FALSE(game.exists("audio"));

    ui.boxes.clear();
    drop({game.path("voice.wav")});
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"|Done !"});
    EXPECT_EQ(game.read(test::speechName(11)), test::speechFile(block, test::pattern(10)));
    EXPECT_EQ(marked(), std::vector<int>{11});
    EXPECT_TRUE(ui.dialogs.empty()) << "a drop needs no dialog";
}

TEST_F(MainWindow, AboutShowsTheBoxModallyEachTime) {
    start();
    TAboutBox about;
    form->AboutBox = &about;
    user([&] { form->About.Click(); });
    user([&] { form->About.Click(); });
    EXPECT_EQ(ui.modalShows, 2);
    EXPECT_TRUE(ui.boxes.empty());
}

}  // namespace
}  // namespace quillory
