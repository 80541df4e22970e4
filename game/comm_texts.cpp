#include "game/comm_texts.h"

#include "game/slots.h"
#include "platform/text.h"

namespace quillory {

CommFile DefaultCommFile() {
    CommFile defaults{defaultCommHeader(), {}};
    for (int slot = 0; slot < kSlotCount; ++slot) {
        defaults.texts[static_cast<std::size_t>(slot)] = defaultText(slot);
    }
    return defaults;
}

CommFile LoadCommFile(const GameDirectory& game,
                      const std::function<void(const CommFile& defaults)>& creating,
                      std::string* bytes) {
    const std::string path = game.CommFile();
    if (!game.fs().fileExists(path)) {
        game.MakeCommFolders();
        const CommFile defaults = DefaultCommFile();
        creating(defaults);
        SaveCommFile(game, defaults.header, defaults.texts);
    }
    const std::string read = readWholeFile(game.fs(), path);
    CommFile file = decodeCommFile(read);
    if (bytes) {
        *bytes = read;
    }
    for (std::string& text : file.texts) {
        text = Utf8OfAnsi(text);
    }
    return file;
}

std::string SaveCommFile(const GameDirectory& game, const std::string& header,
                         const CommTexts& texts) {
    CommTexts stored;
    for (std::size_t slot = 0; slot < texts.size(); ++slot) {
        stored[slot] = AnsiOf(texts[slot]).bytes;
    }
    const std::string bytes = encodeCommFile(header, stored);
    writeReplacing(game.fs(), game.CommFile(), [&](File& file) { file.write(bytes); });
    return bytes;
}

StorableText StorableOf(const std::string& text) {
    AnsiText ansi = AnsiOf(text);
    if (!ansi.unstorable.empty()) {
        return {{}, std::move(ansi.unstorable)};
    }
    return {Utf8OfAnsi(ansi.bytes), {}};
}

}  // namespace quillory
