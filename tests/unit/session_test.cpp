// The game session's rules about the player's texts, without a window: what is asked, and what
// reaches the file.
#include "game/session.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "game/previous_voices.h"
#include "game/slots.h"
#include "platform/error.h"
#include "tests/support/expected.h"
#include "tests/support/fakes.h"
#include "tests/support/faulty_fs.h"
#include "tests/support/forwarding_fs.h"
#include "tests/support/game_folder.h"

namespace quillory {
namespace {

constexpr char kFile[] = "language\\pilots\\player_1.eng";

// Answers from a script (OK and Yes when it runs out), and remembers what it was asked.
struct ScriptedPlayer : Player {
    std::deque<int> answers;  // 1 OK/Yes, 0 Cancel, -1 No
    std::vector<std::string> asked;

    int Next() {
        const int answer = answers.empty() ? 1 : answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return answer;
    }
    bool Confirm(Confirmation question, const ConversionAsked&) override {
        asked.push_back(question == Confirmation::OverwriteUnread    ? "unread"
                        : question == Confirmation::OverwriteChanged ? "changed on disk"
                                                                     : "confirm");
        return Next() == 1;
    }
    Answer AskSaveFirst(SaveFirst) override {
        asked.push_back("save first");
        const int answer = Next();
        return answer == 1 ? Answer::Yes : answer == 0 ? Answer::Cancel : Answer::No;
    }
    Answer AskApplyTyped() override {
        asked.push_back("apply");
        const int answer = Next();
        return answer == 1 ? Answer::Yes : answer == 0 ? Answer::Cancel : Answer::No;
    }
    void Tell(Notice, const std::vector<std::string>&) override { asked.push_back("told"); }
    void ShowError(const std::exception&) override { asked.push_back("error"); }
    void SoundRecognised() override {}
    void WorkBegins() override { asked.push_back("work"); }
    void WorkProgress(std::uint64_t, std::uint64_t) override {}
    void WorkEnds(bool written) override { asked.push_back(written ? "written" : "failed"); }
};

class Session : public ::testing::Test {
protected:
    test::GameFolder game;
    test::GameFolder data;  // the user's local application data
    test::RecordingShell shell;
    test::RecordingSound sound;
    test::ScriptedMicrophone microphone;
    ScriptedPlayer player;

    GameSession Open(FileSystem& fs = systemFileSystem()) {
        GameSession session(fs, shell, sound, microphone, data.dir());
        session.Open(game.dir());
        return session;
    }
};

TEST_F(Session, LeavingChangedTextsAsksFirstAndGuardsAFileThatWasNotRead) {
    const struct Case {
        const char* what;
        bool unread;  // the file was cut short, so its load failed
        std::deque<int> answers;
        std::vector<std::string> asked;
        bool goesOn;
        bool written;
    } cases[] = {
        {"Yes saves", false, {1}, {"save first"}, true, true},
        {"No drops", false, {-1}, {"save first"}, true, false},
        {"Cancel stays", false, {0}, {"save first"}, false, false},
        {"Yes over an unread file, OK", true, {1, 1}, {"save first", "unread"}, true, true},
        {"Yes over an unread file, Cancel", true, {1, 0}, {"save first", "unread"}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        game.makeDir("language\\pilots");
        const std::string before =
            c.unread ? std::string("FORM") : test::commFile(test::defaultTexts());
        game.write(kFile, before);
        GameSession session = Open();
        if (c.unread) {
            EXPECT_THROW(session.Load(), Error);
        } else {
            session.Load();
        }
        EXPECT_TRUE(session.SaveChangesFirst(SaveFirst::BeforeClosing, player)) << "no change";
        ASSERT_TRUE(session.Change(5, "Mine.", player));
        player.asked.clear();
        player.answers = c.answers;
        EXPECT_EQ(session.SaveChangesFirst(SaveFirst::BeforeClosing, player), c.goesOn);
        EXPECT_EQ(player.asked, c.asked);
        EXPECT_EQ(game.read(kFile) != before, c.written);
        EXPECT_EQ(session.AnyChanged(), !c.written);
    }
}

TEST_F(Session, AFileThatCouldNotBeCreatedLeavesTheDefaultsUnchanged) {
    test::FaultyFileSystem failing(1, kAccessDenied);
    GameSession session = Open(failing);
    EXPECT_THROW(session.Load(), Error);
    EXPECT_TRUE(session.LoadFailed());
    EXPECT_EQ(session.Text(7), defaultText(7)) << "shown, to work from";
    EXPECT_TRUE(session.SaveChangesFirst(SaveFirst::BeforeClosing, player));
    EXPECT_TRUE(player.asked.empty()) << "closing with no change asks nothing";
}

TEST_F(Session, EachVerbOnATextMarksItAsTheFileAndTheDefaultsSee) {
    GameSession session = Open();
    session.Load();
    ASSERT_TRUE(session.Change(0, "Break and attack, \xC3\xA9quipe.", player));
    EXPECT_TRUE(session.Changed(0));
    EXPECT_TRUE(session.NotDefault(0));
    EXPECT_FALSE(session.Change(0, "\xD0\x9F", player)) << "Cyrillic: refused";
    EXPECT_EQ(player.asked, std::vector<std::string>{"told"});
    EXPECT_TRUE(session.UndoChange(0));
    EXPECT_FALSE(session.Changed(0));
    EXPECT_FALSE(session.UndoChange(0));
    EXPECT_FALSE(session.RestoreDefault(0)) << "already the default";
    ASSERT_TRUE(session.Change(1, "Other.", player));
    session.Save();
    EXPECT_FALSE(session.Changed(1));
    EXPECT_TRUE(session.RestoreDefault(1));
    EXPECT_TRUE(session.Changed(1));
}

TEST_F(Session, ATypedTextIsAppliedDroppedOrKeptAsThePlayerSays) {
    const struct Case {
        const char* typed;
        std::deque<int> answers;
        std::vector<std::string> asked;
        bool goesOn;
        const char* text;  // slot 2's text after
    } cases[] = {
        {"Mine.", {1}, {"apply"}, true, "Mine."},
        {"Mine.", {-1}, {"apply"}, true, nullptr},
        {"Mine.", {0}, {"apply"}, false, nullptr},
        {"\xD0\x9F", {1}, {"apply", "told"}, false, nullptr},  // Yes, but it cannot be stored
        {"", {}, {}, true, nullptr},                           // the slot's own text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        GameSession session = Open();
        session.Load();
        player.asked.clear();
        player.answers = c.answers;
        const std::string typed = *c.typed ? c.typed : defaultText(2);
        EXPECT_EQ(session.ApplyTypedFirst(2, typed, player), c.goesOn);
        EXPECT_EQ(player.asked, c.asked);
        EXPECT_EQ(session.Text(2), c.text ? c.text : defaultText(2));
    }
}

TEST_F(Session, ASaveOverAFileAnotherProgramChangedAsksFirst) {
    GameSession session = Open();
    session.Load();
    const std::string theirs = test::commFile(std::vector<std::string>(40, "Theirs."));
    game.write("Language\\pilots\\player_1.eng", theirs);  // as the session made it
    ASSERT_TRUE(session.Change(1, "Mine.", player));
    player.asked.clear();
    player.answers = {1, 0};
    session.SaveText(player);
    EXPECT_EQ(player.asked, (std::vector<std::string>{"confirm", "changed on disk"}));
    EXPECT_EQ(game.read(kFile), theirs) << "Cancel writes nothing";
    player.answers = {1, 1};
    session.SaveText(player);
    EXPECT_NE(game.read(kFile), theirs);
    player.asked.clear();
    ASSERT_TRUE(session.Change(1, "Mine again.", player));
    session.SaveText(player);
    EXPECT_EQ(player.asked, std::vector<std::string>{"confirm"}) << "its own save changed nothing";
}

TEST_F(Session, AFileWithoutTheHeaderOfATextFileIsAFailedLoadWithTheDefaultsShown) {
    game.makeDir("language\\pilots");
    const std::string zeros(4096, '\0');
    game.write(kFile, zeros);
    GameSession session = Open();
    EXPECT_THROW(session.Load(), Error);
    EXPECT_TRUE(session.LoadFailed());
    EXPECT_EQ(session.Text(39), defaultText(39));
    ASSERT_TRUE(session.Change(0, "Mine.", player));
    player.asked.clear();
    player.answers = {0};
    session.SaveText(player);
    EXPECT_EQ(player.asked, std::vector<std::string>{"unread"});
    EXPECT_EQ(game.read(kFile), zeros);
}

// A file system whose deletions report success and delete nothing, as Wine's on a read-only
// mount.
struct DeletingNothing : test::ForwardingFileSystem {
    bool deleteFile(const std::string&) override { return true; }
};

TEST_F(Session, AFileStillThereAfterItsDeletionIsReportedAsNotDeleted) {
    DeletingNothing fs;
    GameSession session = Open(fs);
    session.Load();
    player.asked.clear();
    EXPECT_TRUE(session.RemoveEverything(player));
    EXPECT_EQ(player.asked, (std::vector<std::string>{"confirm", "told"}));
    EXPECT_TRUE(game.exists(kFile));
}

// Counts the openings of one file.
struct CountingOpens : test::ForwardingFileSystem {
    std::string path;
    int opens = 0;
    std::unique_ptr<File> openRead(const std::string& name) override {
        opens += name == path;
        return ForwardingFileSystem::openRead(name);
    }
};

TEST_F(Session, AChosenSoundFileIsOpenedOnce) {
    const struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> asked;
    } cases[] = {
        {"PCM", test::waveFile(1, 1, 8000, 8, test::pattern(10)), {"work", "written", "told"}},
        {"converted",
         test::waveFile(1, 1, 8000, 24, test::pattern(30)),
         {"confirm", "work", "written", "told"}},
        {"not a sound", "not a sound at all", {"told"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CountingOpens fs;
        fs.path = game.path("voice.wav");
        game.write("voice.wav", c.bytes);
        GameSession session = Open(fs);
        player.asked.clear();
        session.AttachSound(2, fs.path, player);
        EXPECT_EQ(fs.opens, 1);
        EXPECT_EQ(player.asked, c.asked);
    }
}

TEST_F(Session, AVoiceWriteThatFailsEndsItsWorkAndLetsTheNextOneStart) {
    game.write("voice.wav", test::waveFile(1, 1, 8000, 8, test::pattern(10)));
    test::FaultyFileSystem failing(1, kDiskFull);
    GameSession session = Open(failing);
    EXPECT_THROW(session.AttachSound(2, game.path("voice.wav"), player), Error);
    EXPECT_FALSE(session.Busy());
    session.AttachSound(2, game.path("voice.wav"), player);
    EXPECT_EQ(player.asked,
              (std::vector<std::string>{"work", "failed", "work", "written", "told"}));
}

// The voice file of a slot, relative to the game's folder.
std::string VoiceOf(int slot) { return GameDirectory(systemFileSystem(), "").SpeechFile(slot); }

TEST_F(Session, AVoiceThatIsReplacedOrRemovedIsKeptAndComesBack) {
    // The verbs: k keep a take, r remove the voice, p restore, c restore cancelled, e remove
    // everything, s start again; then the voice in the game ('-' none) and whether it has an
    // earlier one.
    const struct Step {
        const char* what;
        char verb, take, voice;
        bool previous;
    } steps[] = {
        {"a first voice replaces none", 'k', 'A', 'A', false},
        {"attach over it", 'k', 'B', 'B', true},
        {"restore", 'p', 0, 'A', true},
        {"restore again goes back", 'p', 0, 'B', true},
        {"restore cancelled", 'c', 0, 'B', true},
        {"remove", 'r', 0, '-', true},
        {"restore after remove", 'p', 0, 'B', true},
        {"remove everything", 'e', 0, '-', true},
        {"after a restart", 's', 0, '-', true},
        {"restore after remove everything", 'p', 0, 'B', true},
        {"restore once more", 'p', 0, 'A', true},
    };
    constexpr int kSlot = 12;
    std::map<char, std::string> written;
    auto session = std::make_unique<GameSession>(Open());
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        player.answers = {step.verb == 'c' ? 0 : 1};
        switch (step.verb) {
            case 'k':
                session->KeepTake(kSlot, std::string(2000, step.take));
                written[step.take] = game.read(VoiceOf(kSlot));
                break;
            case 'r':
                session->RemoveVoice(kSlot, player);
                break;
            case 'p':
            case 'c':
                session->RestorePreviousVoice(kSlot, player);
                break;
            case 'e':
                EXPECT_TRUE(session->RemoveEverything(player));
                break;
            case 's':
                session = std::make_unique<GameSession>(Open());
                break;
        }
        EXPECT_EQ(session->HasVoice(kSlot), step.voice != '-');
        if (step.voice != '-') {
            EXPECT_EQ(game.read(VoiceOf(kSlot)), written[step.voice]);
        }
        EXPECT_EQ(session->HasPreviousVoice(kSlot), step.previous);
        EXPECT_FALSE(session->HasPreviousVoice(kSlot + 1));
    }
}

TEST_F(Session, EachSlotKeepsItsLastFiveEarlierVoices) {
    GameSession session = Open();
    std::vector<std::string> voices;
    for (char take = '0'; take <= '6'; ++take) {  // six replacements
        session.KeepTake(3, std::string(1000, take));
        voices.push_back(game.read(VoiceOf(3)));
    }
    const std::string kept =
        PreviousVoicesFolder(data.dir(), game.dir()).substr(data.dir().size()) + "00740003-";
    EXPECT_EQ(data.read(kept + "1.iff"), voices[1]) << "the oldest of five";
    EXPECT_EQ(data.read(kept + "5.iff"), voices[5]);
    EXPECT_FALSE(data.exists(kept + "6.iff"));
}

TEST_F(Session, AVoiceThatCannotBeKeptStaysInTheGame) {
    data.write("blocked", "a file where the folder should be");
    GameSession blocked(systemFileSystem(), shell, sound, microphone, data.path("blocked"));
    blocked.Open(game.dir());
    blocked.KeepTake(0, std::string(500, 'a'));
    const std::string voice = game.read(VoiceOf(0));
    EXPECT_THROW(blocked.KeepTake(0, std::string(500, 'b')), Error);
    EXPECT_THROW(blocked.RemoveVoice(0, player), Error);
    EXPECT_THROW(blocked.RemoveEverything(player), Error);
    EXPECT_EQ(game.read(VoiceOf(0)), voice);
    EXPECT_FALSE(blocked.HasPreviousVoice(0));
}
}  // namespace
}  // namespace quillory
