#include "game/locator.h"

#include "platform/error.h"

namespace quillory {

GameInstallation locateGame(Registry& registry) {
    const RegistryLookup found = registry.lookup(kInstallKey, kInstallValue);
    switch (found.outcome) {
        case RegistryLookup::Outcome::OtherType:
            throw Error::invalidDataType(kInstallValue);
        case RegistryLookup::Outcome::String:
            if (!found.value.empty()) {
                GameInstallation installation{false, found.value};
                if (installation.gameDir.back() != '\\' && installation.gameDir.back() != '/') {
                    installation.gameDir += '\\';
                }
                return installation;
            }
            break;
        case RegistryLookup::Outcome::KeyMissing:
        case RegistryLookup::Outcome::ValueMissing:
            break;
    }
    return {};
}

}  // namespace quillory
