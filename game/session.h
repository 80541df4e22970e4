#pragma once

// The game as the player works on it: its folder, the 40 texts as the file holds them and as
// the player edited them, which messages have a voice, and the player's verbs. The windows draw
// it and pass the player's commands to it; every rule about the player's data lives here.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "formats/commfile.h"
#include "game/game_directory.h"
#include "game/player.h"
#include "game/previous_voices.h"
#include "game/voice_sound.h"
#include "game/voices.h"
#include "platform/app_data.h"
#include "platform/filesystem.h"
#include "platform/microphone.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/sound.h"

namespace quillory {

class GameSession {
public:
    // The earlier voices are kept below `dataFolder`.
    GameSession(FileSystem& fs, Shell& shell, Sound& sound, Microphone& microphone,
                std::string dataFolder = localAppDataFolder());

    // Works on the game in `dir` (ending in a separator) from now on: drops what unfinished
    // writes left there and finds its voices.
    void Open(std::string dir);
    // Opens the game its setup's registry record names; false when the game is not installed.
    bool OpenInstalled(Registry& registry);
    const std::string& GameDir() const { return dir_; }
    // The first bytes of the text file as last loaded, written back by the next save.
    const std::string& CommFileHeader() const { return header_; }
    GameDirectory Game() const { return GameDirectory(fs_, dir_); }

    // The texts.
    const std::string& Text(int slot) const;  // empty outside 0..39
    // The text differs from the file's, or from the slot's default wording.
    bool Changed(int slot) const;
    bool NotDefault(int slot) const;
    bool AnyChanged() const;
    // The last load failed: the texts are not the file's, and none is written over it without
    // the player's word.
    bool LoadFailed() const { return loadFailed_; }

    // Reads the file, creating it from the default texts when there is none. When it fails, the
    // texts stay as they were (the defaults, when the file was being created) and the error
    // goes on.
    void Load();
    // Writes the 40 texts in place of the file.
    void Save();

    // The player's verbs on the texts. Each returns whether a text changed.
    bool Change(int slot, const std::string& text, Player& player);
    bool UndoChange(int slot);
    bool RestoreDefault(int slot);
    // "Save Text": after the player's OK (to the failed-load question after a failed load).
    void SaveText(Player& player);
    // "Revert Text": after the player's OK, the voices and the texts read again.
    bool Revert(Player& player);
    // Before a text typed for `slot` and not applied is left behind (another message is picked,
    // the texts are saved, the window closes, the game starts): when `typed` differs from the
    // slot's text, asks whether to apply it. False when the player cancelled, or the text could
    // not be applied.
    bool ApplyTypedFirst(int slot, const std::string& typed, Player& player);
    // Whether `typed`, as the file would hold it, differs from the slot's text.
    bool Typed(int slot, const std::string& typed) const;
    // Before the texts are left behind (the window closes, the game starts): when any changed,
    // asks whether to save them first. False when the player cancelled or the save failed.
    bool SaveChangesFirst(SaveFirst when, Player& player);

    // The voices.
    bool HasVoice(int slot) const;
    // Finds the voices on disk again.
    void FindVoices();
    // Every write and deletion of a voice keeps it first among the slot's earlier voices, and
    // stops when it cannot.
    // Makes the sound file at `path` (UTF-8) the voice of `slot`, after the player's word where
    // it needs a conversion; tells the player why not, or that it is done.
    void AttachSound(int slot, const std::string& path, Player& player);
    // Files dropped on the window: one sound file is attached to `slot`.
    void DropFiles(int slot, const std::vector<std::string>& paths, Player& player);
    // A voice being written: nothing else may start.
    bool Busy() const { return busy_; }
    // Whether a voice can be recorded for `slot`; tells the player why not.
    bool MayRecord(int slot, Player& player);
    // Makes the recorded samples (in the take's format) the voice of `slot`.
    void KeepTake(int slot, std::string_view samples);
    void RemoveVoice(int slot, Player& player);
    // Whether `slot` has an earlier voice, and puts the newest back after the player's OK.
    bool HasPreviousVoice(int slot) const;
    void RestorePreviousVoice(int slot, Player& player);
    void Play(int slot, Player& player);
    void StopPlaying() { sound_.Stop(); }
    bool Playing() { return sound_.Playing(); }

    // Deletes every file the program wrote, after the player's OK, keeping the voices first;
    // true when it did.
    bool RemoveEverything(Player& player);
    // Starts the game, after saving the changed texts if the player wishes.
    void RunGame(void* owner, Player& player);
    // Shows the game's folder.
    void OpenFolder(void* owner, Player& player);

private:
    // Whether the 40 texts may be written in place of the file, with the player's word where the
    // file could not be read or another program changed it since.
    bool MaySave(Player& player);
    void AttachWave(int slot, std::unique_ptr<File> file, Player& player);
    // Writes the voice `sound` gives as the voice of `slot`, with the player watching.
    void WriteAttached(int slot, const std::function<VoiceSound()>& sound, Player& player);
    void TellKept(const std::vector<std::string>& kept, Player& player);
    PreviousVoices Previous() const;

    FileSystem& fs_;
    Shell& shell_;
    Sound& sound_;
    Microphone& microphone_;
    std::string dataFolder_;
    std::string dir_;
    std::string header_;
    CommTexts texts_;  // as edited
    CommTexts saved_;  // as the file holds them, at the last load or save
    bool loadFailed_ = false;
    bool loadedOnce_ = false;
    // The file's bytes as last read or written: a file that differs was changed by another
    // program.
    std::string onDisk_;
    Voices voices_;
    bool busy_ = false;
};

}  // namespace quillory
