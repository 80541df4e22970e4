#include "game/slots.h"

#include <gtest/gtest.h>

#include "app/messages.h"

#include <set>

#include "platform/error.h"

namespace quillory {
namespace {

TEST(SlotTable, FirstLastAndSharedCategories) {
    EXPECT_EQ(categoryPhrase(0), "Break and attack.");
    EXPECT_EQ(defaultText(0), "All craft, break and attack!");
    EXPECT_EQ(categoryPhrase(11), "My wing, return to formation.");
    EXPECT_EQ(defaultText(13), "Return to base. We'll catch up with you later.");
    EXPECT_EQ(defaultText(25), "You want a piece of me? Huh? You want a piece of me?");
    EXPECT_EQ(categoryPhrase(27), "Help me !");
    EXPECT_EQ(defaultText(36), "All pilots: you are free to resume normal comm operation.");
    EXPECT_EQ(categoryPhrase(38), "Mission accomplished.");
    EXPECT_EQ(defaultText(38), "Mission Accomplished.");
    EXPECT_EQ(categoryPhrase(39), "Mission Failed.");
    for (int slot = 16; slot <= 26; ++slot) {
        EXPECT_EQ(categoryPhrase(slot), "Taunt") << slot;
    }
}

TEST(SlotTable, ThirteenCategoriesInConsecutiveRuns) {
    std::set<std::string> seen;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (slot == 0 || categoryPhrase(slot) != categoryPhrase(slot - 1)) {
            EXPECT_TRUE(seen.insert(categoryPhrase(slot)).second) << "run broken at " << slot;
        }
    }
    EXPECT_EQ(seen.size(), 13u);
}

TEST(SlotTable, SpeechFileNumbersGetALeadingZeroBelowTen) {
    EXPECT_EQ(speechFileNumber(0), "00");
    EXPECT_EQ(speechFileNumber(9), "09");
    EXPECT_EQ(speechFileNumber(10), "10");
    EXPECT_EQ(speechFileNumber(39), "39");
}

TEST(SlotTable, IndexOutsideTheTableFailsWithTheListError) {
    for (int slot : {-1, 40, 1000}) {
        try {
            categoryPhrase(slot);
            FAIL() << slot;
        } catch (const Error& error) {
            EXPECT_EQ(messages::ErrorBoxText(error),
                      "List index out of bounds (" + std::to_string(slot) + ")");
        }
        EXPECT_THROW(defaultText(slot), Error);
        EXPECT_THROW(speechFileNumber(slot), Error);
    }
}

}  // namespace
}  // namespace quillory
