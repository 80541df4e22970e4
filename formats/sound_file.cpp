#include "formats/sound_file.h"

#include "formats/mp3.h"
#include "formats/mp4.h"
#include "formats/sound_kind.h"
#include "platform/error.h"

namespace quillory {

std::size_t FileBytes::readAt(std::uint64_t offset, void* into, std::size_t count) {
    file_.seek(offset);
    auto* bytes = static_cast<char*>(into);
    std::size_t got = 0;
    for (std::size_t step; got < count && (step = file_.read(bytes + got, count - got)) > 0;) {
        got += step;
    }
    return got;
}

SoundOpening openSound(FileSystem& fs, const std::string& utf8Path) {
    std::unique_ptr<File> file = fs.openRead(utf8Path);
    SoundOpening opening;
    {
        FileBytes bytes(*file);
        opening.kind = soundKind(bytes);
    }
    if (opening.kind == SoundKind::Wave || opening.kind == SoundKind::Unknown) {
        opening.file = std::move(file);
    } else if (opening.kind == SoundKind::Mp3) {
        auto in = std::make_unique<FileBytes>(std::move(file));
        const Mp3Layout layout = describeMp3(*in);
        if (!layout.found) {
            opening.decoded.trouble = DecodeTrouble::Damaged;
            return opening;
        }
        opening.decoded = decodeMp3(mp3Stream(std::move(in), layout), utf8Path);
    } else if (opening.kind == SoundKind::Mp4) {
        // Its AAC read by the program where it can, else by the system's reader.
        AacTrack track;
        bool read = false;
        try {
            read = readMp4Aac(std::make_unique<FileBytes>(std::move(file)), track);
        } catch (const Error&) {
        }
        opening.decoded =
            read ? decodeAac(std::move(track), utf8Path) : decodeFile(opening.kind, utf8Path);
    } else {
        file.reset();  // the decoder opens the file itself
        opening.decoded = decodeFile(opening.kind, utf8Path);
    }
    return opening;
}

}  // namespace quillory
