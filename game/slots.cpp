#include "game/slots.h"

#include <array>

#include "platform/error.h"

namespace quillory {
namespace {

struct Slot {
    std::string category;
    std::string defaultText;
};

const std::array<Slot, kSlotCount>& slots() {
    static const std::array<Slot, kSlotCount> table = {{
        {"Break and attack.", "All craft, break and attack!"},
        {"Break and attack.", "Enemy in sight! My wing, break and attack."},
        {"Break and attack.", "Go get 'em!"},
        {"Break and attack.", "Fire at will!"},
        {"Break and attack.", "Enemies in-bound! Break and attack."},
        {"Break and attack.", "Bogies on intercept vectors! Fire at will."},
        {"Attack my target.", "Attack my target."},
        {"Attack my target.", "Help me with this target."},
        {"Attack my target.", "Switch to my target."},
        {"Attack my target.", "Give me a hand with this target."},
        {"Form on my wing.", "Form on my wing."},
        {"My wing, return to formation.", "Alpha wing, return to formation."},
        {"Return to base.", "Head back to Cerberus."},
        {"Return to base.", "Return to base. We'll catch up with you later."},
        {"Status report.", "I need a status report."},
        {"Status report.", "How's it going?"},
        {"Taunt", "Time to die, bug!"},
        {"Taunt", "Here's some blackness for you!"},
        {"Taunt", "Crusty slimebag!"},
        {"Taunt", "Worthless insect!"},
        {"Taunt", "Die, you ugly freak!"},
        {"Taunt", "Say good night, roach!"},
        {"Taunt", "Die!"},
        {"Taunt", "Kiss your tentacles goodbye!"},
        {"Taunt", "Prepare to be exterminated!"},
        {"Taunt", "You want a piece of me? Huh? You want a piece of me?"},
        {"Taunt", "Eat this, insect!"},
        {"Help me !", "Somebody give me a hand here!"},
        {"Help me !", "I need help!"},
        {"Help me !", "Get this guy off me!"},
        {"Help me !", "I can't shake this bug!"},
        {"Request landing clearance.", "Need clearance, Cerberus."},
        {"Request landing clearance.", "This is Casey. I'm ready to come home."},
        {"Request landing clearance.", "Alpha One requesting landing clearance."},
        {"Keep radio silence.", "All pilots: stay off the comm."},
        {"Keep radio silence.", "I want complete radio silence from here on out."},
        {"Lift radio silence.", "All pilots: you are free to resume normal comm operation."},
        {"Lift radio silence.", "All pilots: lift radio silence."},
        {"Mission accomplished.", "Mission Accomplished."},
        {"Mission Failed.", "Mission Failed."},
    }};
    return table;
}

const Slot& slotAt(int slot) {
    if (slot < 0 || slot >= kSlotCount) {
        throw Error::listIndexOutOfBounds(slot);
    }
    return slots()[static_cast<std::size_t>(slot)];
}

}  // namespace

const std::string& categoryPhrase(int slot) { return slotAt(slot).category; }

const std::string& defaultText(int slot) { return slotAt(slot).defaultText; }

std::string speechFileNumber(int slot) {
    slotAt(slot);
    return (slot < 10 ? "0" : "") + std::to_string(slot);
}

}  // namespace quillory
