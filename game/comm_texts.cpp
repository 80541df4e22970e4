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
                      const std::function<void(const CommFile& defaults)>& creating) {
    const std::string path = game.CommFile();
    if (!game.fs().fileExists(path)) {
        game.MakeCommFolders();
        const CommFile defaults = DefaultCommFile();
        creating(defaults);
        SaveCommFile(game, defaults.header, defaults.texts);
    }
    CommFile file = decodeCommFile(readWholeFile(game.fs(), path));
    for (std::string& text : file.texts) {
        text = Utf8OfAnsi(text);
    }
    return file;
}

void SaveCommFile(const GameDirectory& game, const std::string& header, const CommTexts& texts) {
    CommTexts ansi;
    for (std::size_t slot = 0; slot < texts.size(); ++slot) {
        ansi[slot] = AnsiOf(texts[slot]).bytes;
    }
    const std::string bytes = encodeCommFile(header, ansi);
    writeReplacing(game.fs(), game.CommFile(), [&](File& file) { file.write(bytes); });
}

}  // namespace quillory
