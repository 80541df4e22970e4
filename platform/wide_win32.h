#pragma once

#include <string>

namespace quillory {

// Text between the wide API's UTF-16 and the UTF-8 in which the program passes the paths that
// the user picks.
std::string Utf8Of(const std::wstring& text);
std::wstring WideOf(const std::string& utf8);

}  // namespace quillory
