#include "game/session.h"

#include <optional>
#include <utility>

#include "formats/sound_file.h"
#include "formats/speech.h"
#include "game/FmxUtils.h"
#include "game/comm_texts.h"
#include "game/locator.h"
#include "game/removal.h"
#include "game/slots.h"
#include "game/speech_import.h"
#include "game/take.h"
#include "platform/error.h"

namespace quillory {
namespace {

constexpr int kShowNormal = 5;
const std::string kNoText;

// What the player is told when a compressed file's sound cannot be had; nothing when it can.
std::optional<Notice> DecodeRefusal(DecodeTrouble trouble) {
    switch (trouble) {
        case DecodeTrouble::None:
            break;
        case DecodeTrouble::NeedsWindows7:
            return Notice::NeedsWindows7;
        case DecodeTrouble::NoMediaComponents:
            return Notice::NoMediaComponents;
        case DecodeTrouble::NoDecoder:
            return Notice::NoDecoder;
        case DecodeTrouble::Damaged:
            return Notice::Damaged;
    }
    return std::nullopt;
}

bool IsSlot(int slot) { return slot >= 0 && slot < kSlotCount; }
std::size_t At(int slot) { return static_cast<std::size_t>(slot); }

}  // namespace

GameSession::GameSession(FileSystem& fs, Shell& shell, Sound& sound, Microphone& microphone,
                         std::string dataFolder)
    : fs_(fs),
      shell_(shell),
      sound_(sound),
      microphone_(microphone),
      dataFolder_(std::move(dataFolder)) {}

void GameSession::Open(std::string dir) {
    dir_ = std::move(dir);
    RemoveUnfinishedWrites(fs_, dir_);
    FindVoices();
}

bool GameSession::OpenInstalled(Registry& registry) {
    GameInstallation installation = locateGame(registry);
    if (!installation.missing) {
        Open(std::move(installation.gameDir));
    }
    return !installation.missing;
}

const std::string& GameSession::Text(int slot) const {
    return IsSlot(slot) ? texts_[At(slot)] : kNoText;
}

bool GameSession::Changed(int slot) const {
    return IsSlot(slot) && texts_[At(slot)] != saved_[At(slot)];
}

bool GameSession::NotDefault(int slot) const {
    return IsSlot(slot) && texts_[At(slot)] != defaultText(slot);
}

bool GameSession::AnyChanged() const { return texts_ != saved_; }

void GameSession::Load() {
    loadFailed_ = true;
    const auto show = [this](const CommFile& file) {
        header_ = file.header;
        texts_ = saved_ = file.texts;
    };
    try {
        // The defaults are shown from now on, and are what a change is measured against, even
        // when the file cannot be written: closing without a change asks nothing.
        const CommFile file = LoadCommFile(Game(), show, &onDisk_);
        show(file);
    } catch (...) {
        // A first load that fails leaves the defaults to work from; a later one, the texts shown.
        if (!loadedOnce_) {
            show(DefaultCommFile());
            loadedOnce_ = true;
        }
        throw;
    }
    loadedOnce_ = true;
    loadFailed_ = false;
}

void GameSession::Save() {
    onDisk_ = SaveCommFile(Game(), header_, texts_);
    saved_ = texts_;
    loadFailed_ = false;
}

bool GameSession::MaySave(Player& player) {
    if (loadFailed_) {
        return player.Confirm(Confirmation::OverwriteUnread);
    }
    std::string now;
    try {
        now = readWholeFile(fs_, Game().CommFile());
    } catch (const Error& error) {
        // Gone is changed; held by another program, the save itself says so.
        if (error.code() != kFileNotFound) {
            return true;
        }
    }
    return now == onDisk_ || player.Confirm(Confirmation::OverwriteChanged);
}

bool GameSession::Change(int slot, const std::string& text, Player& player) {
    if (!IsSlot(slot)) {
        return false;
    }
    StorableText storable = StorableOf(text);
    if (!storable.unstorable.empty()) {
        player.Tell(Notice::Unstorable, {storable.unstorable});
        return false;
    }
    texts_[At(slot)] = std::move(storable.text);
    return true;
}

bool GameSession::UndoChange(int slot) {
    if (!Changed(slot)) {
        return false;
    }
    texts_[At(slot)] = saved_[At(slot)];
    return true;
}

bool GameSession::RestoreDefault(int slot) {
    if (!NotDefault(slot)) {
        return false;
    }
    texts_[At(slot)] = defaultText(slot);
    return true;
}

void GameSession::SaveText(Player& player) {
    // After a failed load its own question takes the place of the usual one.
    if ((loadFailed_ || player.Confirm(Confirmation::Save)) && MaySave(player)) {
        Save();
    }
}

bool GameSession::Typed(int slot, const std::string& typed) const {
    return IsSlot(slot) && StorableOf(typed).text != Text(slot);
}

bool GameSession::ApplyTypedFirst(int slot, const std::string& typed, Player& player) {
    if (!Typed(slot, typed)) {
        return true;
    }
    switch (player.AskApplyTyped()) {
        case Answer::Yes:
            return Change(slot, typed, player);
        case Answer::No:
            return true;
        case Answer::Cancel:
            break;
    }
    return false;
}

bool GameSession::Revert(Player& player) {
    if (!player.Confirm(Confirmation::Revert)) {
        return false;
    }
    FindVoices();
    Load();
    return true;
}

bool GameSession::SaveChangesFirst(SaveFirst when, Player& player) {
    if (!AnyChanged()) {
        return true;
    }
    switch (player.AskSaveFirst(when)) {
        case Answer::Yes:
            if (!MaySave(player)) {
                return false;
            }
            try {
                Save();
            } catch (const std::exception& error) {
                player.ShowError(error);
                return false;
            }
            return true;
        case Answer::No:
            return true;
        case Answer::Cancel:
            break;
    }
    return false;
}

bool GameSession::HasVoice(int slot) const { return IsSlot(slot) && voices_[At(slot)]; }

void GameSession::FindVoices() { voices_ = quillory::FindVoices(fs_, dir_); }

void GameSession::AttachSound(int slot, const std::string& path, Player& player) {
    if (busy_) {
        return;
    }
    if (!IsSlot(slot)) {
        player.Tell(Notice::NoSlotSelected);
        return;
    }
    SoundOpening opening = openSound(fs_, path);
    if (opening.kind == SoundKind::Wave || opening.kind == SoundKind::Unknown) {
        AttachWave(slot, std::move(opening.file), player);
        return;
    }
    player.SoundRecognised();
    if (const std::optional<Notice> refusal = DecodeRefusal(opening.decoded.trouble)) {
        player.Tell(*refusal, {soundKindName(opening.kind)});
        return;
    }
    Decoded& decoded = opening.decoded.decoded;
    if (decoded.expectedBytes > kMostSpeechBytes) {
        player.Tell(Notice::TooLong);
        return;
    }
    if (!player.Confirm(Confirmation::Convert, {false, decoded.format.bits, opening.kind})) {
        return;
    }
    try {
        WriteAttached(
            slot, [&] { return DecodedVoice(std::move(decoded)); }, player);
    } catch (const Error& error) {
        // A decoder that stops on the file's bytes halfway through.
        if (error.code() != kReadBeyondEnd) {
            throw;
        }
        player.Tell(Notice::Damaged);
    }
}

void GameSession::AttachWave(int slot, std::unique_ptr<File> file, Player& player) {
    WaveImport importing(fs_, std::move(file));
    const WaveDescription& wave = importing.wave();
    if (wave.isWave) {
        player.SoundRecognised();
    }
    switch (wave.refusal) {
        case WaveRefusal::None:
            break;
        case WaveRefusal::Empty:
            player.Tell(Notice::EmptyFile);
            player.Tell(Notice::NotWave);
            return;
        case WaveRefusal::NotWave:
        case WaveRefusal::ShortFormat:
        case WaveRefusal::BadFormat:
            player.Tell(Notice::NotWave);
            return;
        case WaveRefusal::TooLong:
            player.Tell(Notice::TooLong);
            return;
        case WaveRefusal::NotPcm:
            player.Tell(Notice::NotPcm);
            return;
        case WaveRefusal::TooShort:
        case WaveRefusal::NoFormat:
        case WaveRefusal::NoData:
            // The file ends before what the import needs.
            throw Error(kReadBeyondEnd);
    }
    if (wave.encoding != SampleEncoding::Copy) {
        const bool floating = wave.encoding == SampleEncoding::Float;
        if (!player.Confirm(Confirmation::Convert,
                            {floating, floating ? wave.containerBits : wave.validBits})) {
            return;
        }
    }
    WriteAttached(
        slot, [&] { return importing.Voice(); }, player);
}

void GameSession::WriteAttached(int slot, const std::function<VoiceSound()>& sound,
                                Player& player) {
    // The sound that plays keeps its file open: it stops before a voice is replaced or goes.
    sound_.Stop();
    {
        // However the write ends, the program takes commands again and the bar stops.
        struct Working {
            bool& busy;
            Player& player;
            bool written = false;
            ~Working() {
                busy = false;
                player.WorkEnds(written);
            }
        } working{busy_, player};
        busy_ = true;
        player.WorkBegins();
        VoiceSound voice = sound();
        Previous().Keep(slot);
        WriteVoice(Game(), slot, voice, [&](std::uint64_t done, std::uint64_t total) {
            player.WorkProgress(done, total);
        });
        working.written = true;
    }
    FindVoices();
    player.Tell(Notice::Done);
}

void GameSession::DropFiles(int slot, const std::vector<std::string>& paths, Player& player) {
    if (paths.size() != 1) {
        player.Tell(Notice::DropOneFile);
    } else if (fs_.dirExists(paths.front())) {
        player.Tell(Notice::NotWave);
    } else {
        AttachSound(slot, paths.front(), player);
    }
}

bool GameSession::MayRecord(int slot, Player& player) {
    if (!IsSlot(slot)) {
        player.Tell(Notice::NoSlotToRecord);
        return false;
    }
    if (!microphone_.Available()) {
        player.Tell(Notice::NoMicrophone);
        return false;
    }
    return true;
}

void GameSession::KeepTake(int slot, std::string_view samples) {
    sound_.Stop();
    VoiceSound voice = TakeVoice(samples);
    Previous().Keep(slot);
    WriteVoice(Game(), slot, voice, [](std::uint64_t, std::uint64_t) {});
    FindVoices();
}

void GameSession::RemoveVoice(int slot, Player& player) {
    if (!HasVoice(slot) || !player.Confirm(Confirmation::RemoveVoice)) {
        return;
    }
    sound_.Stop();
    Previous().Keep(slot);
    TellKept(DeleteVoice(fs_, dir_, slot), player);
}

PreviousVoices GameSession::Previous() const {
    return PreviousVoices(
        Game(), dataFolder_.empty() ? std::string() : PreviousVoicesFolder(dataFolder_, dir_));
}

bool GameSession::HasPreviousVoice(int slot) const { return IsSlot(slot) && Previous().Has(slot); }

void GameSession::RestorePreviousVoice(int slot, Player& player) {
    if (busy_ || !HasPreviousVoice(slot) || !player.Confirm(Confirmation::RestoreVoice)) {
        return;
    }
    sound_.Stop();
    struct Found {
        GameSession& session;
        ~Found() { session.FindVoices(); }
    } found{*this};
    Previous().Restore(slot);
}

void GameSession::Play(int slot, Player& player) {
    if (!HasVoice(slot)) {
        return;
    }
    std::optional<VoiceStream> voice = OpenVoice(fs_, dir_, slot);
    if (!voice) {
        player.Tell(Notice::CannotPlay);
        return;
    }
    if (const std::optional<Notice> trouble =
            PlayNotice(sound_.Play(voice->format, std::move(voice->samples)))) {
        player.Tell(*trouble);
    }
}

bool GameSession::RemoveEverything(Player& player) {
    if (!player.Confirm(Confirmation::RemoveEverything)) {
        return false;
    }
    sound_.Stop();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        Previous().Keep(slot);
    }
    TellKept(RemoveCustomFiles(fs_, dir_), player);
    return true;
}

void GameSession::TellKept(const std::vector<std::string>& kept, Player& player) {
    FindVoices();
    if (!kept.empty()) {
        player.Tell(Notice::NotDeleted, kept);
    }
}

void GameSession::RunGame(void* owner, Player& player) {
    // The game shows the texts of the file: changed ones are saved first if the player wishes.
    if (!SaveChangesFirst(SaveFirst::BeforeRunning, player)) {
        return;
    }
    if (LaunchFile(shell_, owner, kGameExecutable, "", dir_, kShowNormal) <= 32) {
        player.Tell(Notice::CannotStart, {kGameExecutable, dir_});
    }
}

void GameSession::OpenFolder(void* owner, Player& player) {
    // The folder's default action: Explorer, on every Windows.
    if (shell_.Execute(owner, dir_, "", dir_, kShowNormal) <= 32) {
        player.Tell(Notice::CannotOpenFolder, {dir_});
    }
}

}  // namespace quillory
