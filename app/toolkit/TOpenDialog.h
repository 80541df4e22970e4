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

    std::string FileName;  // the chosen file, in UTF-8, after a successful Execute

    // The filter as the system's dialog takes it: every description and pattern ended by a
    // zero byte, the whole list by one more ("WAV files\0*.wav\0\0"); empty without a filter.
    std::string FilterList() const;
    // The default extension without its leading dot, as the system's dialog takes it.
    std::string DefaultExtension() const;
};

}  // namespace quillory
