#include <windows.h>

#include <vector>

#include "platform/registry.h"

namespace quillory {
namespace {

std::string upToFirstZero(const std::vector<char>& data) {
    std::string text(data.begin(), data.end());
    return text.substr(0, text.find('\0'));
}

std::string expandEnvironment(const std::string& text) {
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0) {
        return text;
    }
    std::vector<char> expanded(needed + 1);
    if (ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed + 1) == 0) {
        return text;
    }
    return upToFirstZero(expanded);
}

class Win32Registry : public Registry {
public:
    RegistryLookup lookup(const std::string& key, const std::string& valueName) override {
        RegistryLookup result;
        HKEY handle = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | KEY_WOW64_32KEY,
                          &handle) != ERROR_SUCCESS) {
            result.outcome = RegistryLookup::Outcome::KeyMissing;
            return result;
        }
        result.outcome = RegistryLookup::Outcome::ValueMissing;
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(handle, valueName.c_str(), nullptr, &type, nullptr, &size) ==
                ERROR_SUCCESS &&
            size > 0) {
            std::vector<char> data(size + 1, '\0');
            if (RegQueryValueExA(handle, valueName.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS) {
                data.resize(size);
                if (type == REG_SZ) {
                    result = {RegistryLookup::Outcome::String, upToFirstZero(data)};
                } else if (type == REG_EXPAND_SZ) {
                    result = {RegistryLookup::Outcome::String,
                              expandEnvironment(upToFirstZero(data))};
                } else {
                    result.outcome = RegistryLookup::Outcome::OtherType;
                }
            }
        }
        RegCloseKey(handle);
        return result;
    }
};

}  // namespace

Registry& systemRegistry() {
    static Win32Registry registry;
    return registry;
}

}  // namespace quillory
