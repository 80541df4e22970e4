#pragma once

#include <string>

namespace quillory {

// What a look-up of one string value below HKEY_LOCAL_MACHINE found.
struct RegistryLookup {
    enum class Outcome {
        KeyMissing,    // the key could not be opened
        ValueMissing,  // the key is there, the value is not
        String,        // `value` holds the string, environment references expanded
        OtherType,     // the value is not a string
    };
    Outcome outcome = Outcome::KeyMissing;
    std::string value;
};

class Registry {
public:
    virtual ~Registry() = default;
    virtual RegistryLookup lookup(const std::string& key, const std::string& valueName) = 0;
};

// The machine's registry, read through its 32-bit view (where the game's 32-bit setup wrote).
Registry& systemRegistry();

}  // namespace quillory
