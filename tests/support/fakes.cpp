#include "tests/support/fakes.h"

namespace quillory::test {

std::vector<std::string> ScriptedUi::shown() const {
    std::vector<std::string> texts;
    for (const Box& box : boxes) {
        texts.push_back(box.caption + "|" + box.text);
    }
    return texts;
}

int ScriptedUi::ShowMessageBox(WindowHandle owner, const std::string& text,
                               const std::string& caption, unsigned style) {
    boxes.push_back({owner, text, caption, style});
    if (onBox) {
        onBox(boxes.back());
    }
    if (answers.empty()) {
        return kIdOk;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedUi::Execute(TOpenDialog& dialog) {
    dialogs.push_back(dialog);
    if (chosenFiles.empty() || chosenFiles.front().empty()) {
        if (!chosenFiles.empty()) {
            chosenFiles.pop_front();
        }
        return false;
    }
    dialog.FileName = chosenFiles.front();
    chosenFiles.pop_front();
    return true;
}

void ScriptedUi::ShowModal(TForm& form) {
    ++modalShows;
    form.ModalResult = 0;
    if (onModal) {
        onModal(form);
    }
}

}  // namespace quillory::test
