#include "tests/support/expected.h"

#include <cstdint>

#include "tests/support/bytes.h"

namespace quillory::test {

const std::vector<std::string>& defaultTexts() {
    static const std::vector<std::string> texts = {
        "All craft, break and attack!",
        "Enemy in sight! My wing, break and attack.",
        "Go get 'em!",
        "Fire at will!",
        "Enemies in-bound! Break and attack.",
        "Bogies on intercept vectors! Fire at will.",
        "Attack my target.",
        "Help me with this target.",
        "Switch to my target.",
        "Give me a hand with this target.",
        "Form on my wing.",
        "Alpha wing, return to formation.",
        "Head back to Cerberus.",
        "Return to base. We'll catch up with you later.",
        "I need a status report.",
        "How's it going?",
        "Time to die, bug!",
        "Here's some blackness for you!",
        "Crusty slimebag!",
        "Worthless insect!",
        "Die, you ugly freak!",
        "Say good night, roach!",
        "Die!",
        "Kiss your tentacles goodbye!",
        "Prepare to be exterminated!",
        "You want a piece of me? Huh? You want a piece of me?",
        "Eat this, insect!",
        "Somebody give me a hand here!",
        "I need help!",
        "Get this guy off me!",
        "I can't shake this bug!",
        "Need clearance, Cerberus.",
        "This is Casey. I'm ready to come home.",
        "Alpha One requesting landing clearance.",
        "All pilots: stay off the comm.",
        "I want complete radio silence from here on out.",
        "All pilots: you are free to resume normal comm operation.",
        "All pilots: lift radio silence.",
        "Mission Accomplished.",
        "Mission Failed.",
    };
    return texts;
}

std::string category(int slot) {
    struct Run {
        int last;
        const char* phrase;
    };
    static const Run runs[] = {
        {5, "Break and attack."},
        {9, "Attack my target."},
        {10, "Form on my wing."},
        {11, "My wing, return to formation."},
        {13, "Return to base."},
        {15, "Status report."},
        {26, "Taunt"},
        {30, "Help me !"},
        {33, "Request landing clearance."},
        {35, "Keep radio silence."},
        {37, "Lift radio silence."},
        {38, "Mission accomplished."},
        {39, "Mission Failed."},
    };
    for (const Run& run : runs) {
        if (slot <= run.last) {
            return run.phrase;
        }
    }
    return {};
}

std::string defaultHeader() {
    using namespace std::string_literals;
    return "FORM\0\0\0\0DATAFORM\0\0\0\0LANGINFO\0\0\0\x2F"
           "English\0\x01\0\0\0\0\0\0\0Player_1Communications\0\x01\0\0\0\x28\0\0\0\0"
           "TEXT\0\0\0\0"s;
}

std::string commFile(const std::vector<std::string>& texts) {
    return commFile(defaultHeader(), texts);
}

std::string commFile(const std::string& header, const std::vector<std::string>& texts) {
    std::string body;
    for (const std::string& text : texts) {
        body += text;
        body += '\0';
    }
    const auto length = static_cast<std::uint32_t>(header.size() + body.size());
    std::string file = header + body;
    file.replace(4, 4, be32(length - 8));
    file.replace(16, 4, be32(length - 20));
    file.replace(84, 4, be32(length - 88));
    return file;
}

std::string formatBlock(unsigned tag, unsigned channels, std::uint32_t rate, unsigned bits) {
    const unsigned align = channels * ((bits + 7) / 8);
    return le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * align, 4) + le(align, 2) +
           le(bits, 2);
}

Wave::Wave() : bytes_(std::string("RIFF") + le(0, 4) + "WAVE") {}

Wave& Wave::chunk(const std::string& id, const std::string& contents) {
    return chunk(id, static_cast<std::uint32_t>(contents.size()), contents);
}

Wave& Wave::chunk(const std::string& id, std::uint32_t size, const std::string& contents) {
    bytes_ += id + le(size, 4) + contents;
    if (size % 2 == 1 && contents.size() == size) {
        bytes_ += '\0';
    }
    return *this;
}

std::string Wave::bytes() const {
    std::string out = bytes_;
    out.replace(4, 4, le(static_cast<std::uint32_t>(out.size() - 8), 4));
    return out;
}

std::string waveFile(int formatTag, int channels, int rate, int bits, const std::string& samples) {
    return Wave()
        .chunk("fmt ",
               formatBlock(static_cast<unsigned>(formatTag), static_cast<unsigned>(channels),
                           static_cast<std::uint32_t>(rate), static_cast<unsigned>(bits)))
        .chunk("data", static_cast<std::uint32_t>(samples.size()), samples)
        .bytes();
}

std::string speechName(int slot) {
    return std::string("audio\\speech\\007400") + (slot < 10 ? "0" : "") + std::to_string(slot) +
           ".iff";
}

std::string speechFile(const std::string& block, const std::string& sound) {
    const auto size = static_cast<std::uint32_t>(sound.size());
    return "FORM" + be32(36 + size) + "SAMPFRMT" + be32(16) + block + "DATA" + be32(size) + sound;
}

std::string pattern(std::size_t count) {
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) {
        bytes += static_cast<char>((i * 7 + 3) & 0xFF);
    }
    return bytes;
}

}  // namespace quillory::test
