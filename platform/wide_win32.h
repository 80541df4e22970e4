#pragma once

#include <string>

namespace quillory {

// Text between the wide API's UTF-16 and the UTF-8 in which the program holds every text: each
// call of the system converts at that boundary.
std::string Utf8Of(const std::wstring& text);
std::wstring WideOf(const std::string& utf8);

}  // namespace quillory
