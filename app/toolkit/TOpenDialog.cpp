#include "app/toolkit/TOpenDialog.h"

namespace quillory {

std::string TOpenDialog::FilterList() const {
    if (Filter.empty()) {
        return {};
    }
    std::string list = Filter;
    for (char& c : list) {
        if (c == '|') {
            c = '\0';
        }
    }
    // The last pattern's zero byte, then the one that ends the list.
    list.append(2, '\0');
    return list;
}

std::string TOpenDialog::DefaultExtension() const {
    return !DefaultExt.empty() && DefaultExt.front() == '.' ? DefaultExt.substr(1) : DefaultExt;
}

}  // namespace quillory
