#pragma once

#include <string>

namespace quillory {

// The common file-open dialog's settings and its result.
class TOpenDialog {
public:
    std::string Title;
    std::string Filter;  // "Description|pattern", as the dialog's filter pairs
    std::string DefaultExt;
    std::string InitialDir;
    bool HideReadOnly = false;
    bool PathMustExist = false;
    bool FileMustExist = false;

    std::string FileName;  // the chosen file, after a successful Execute
};

}  // namespace quillory
