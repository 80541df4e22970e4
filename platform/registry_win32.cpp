#include <windows.h>

#include <vector>

#include "platform/registry.h"
#include "platform/wide_win32.h"

namespace quillory {
namespace {

std::wstring upToFirstZero(const std::vector<wchar_t>& data) {
    std::wstring text(data.begin(), data.end());
    return text.substr(0, text.find(L'\0'));
}

std::wstring expandEnvironment(const std::wstring& text) {
    const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (needed == 0) {
        return text;
    }
    std::vector<wchar_t> expanded(needed + 1);
    if (ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed + 1) == 0) {
        return text;
    }
    return upToFirstZero(expanded);
}

class Win32Registry : public Registry {
public:
    RegistryLookup lookup(const std::string& key, const std::string& valueName) override {
        RegistryLookup result;
        HKEY handle = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WideOf(key).c_str(), 0, KEY_READ | KEY_WOW64_32KEY,
                          &handle) != ERROR_SUCCESS) {
            result.outcome = RegistryLookup::Outcome::KeyMissing;
            return result;
        }
        result.outcome = RegistryLookup::Outcome::ValueMissing;
        const std::wstring name = WideOf(valueName);
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &size) ==
                ERROR_SUCCESS &&
            size > 0) {
            // One unit more than the size in bytes asks for: a value stored without its zero.
            std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
            if (RegQueryValueExW(handle, name.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS) {
                data.resize(size / sizeof(wchar_t));
                if (type == REG_SZ) {
                    result = {RegistryLookup::Outcome::String, Utf8Of(upToFirstZero(data))};
                } else if (type == REG_EXPAND_SZ) {
                    result = {RegistryLookup::Outcome::String,
                              Utf8Of(expandEnvironment(upToFirstZero(data)))};
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
