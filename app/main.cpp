// The program entry: the application's title, the main window and its start-up, the About box,
// then the event loop until the main window closes.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/messages.h"
#include "app/win32/application_window.h"
#include "app/win32/form_window.h"
#include "app/win32/message_loop.h"
#include "app/win32/win32_ui.h"
#include "platform/filesystem.h"
#include "platform/microphone.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/sound.h"

// An error that escapes every handler ends the program at once, as libstdc++'s own handler
// does after writing the error's type to the console, which a window program has not; that
// handler would also bring the demangler along, a sixth of the program's size.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace quillory;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    ApplicationWindow application(messages::kApplicationTitle);
    Win32Ui ui(application.hwnd());

    TForm1 Form1(Services{systemFileSystem(), systemRegistry(), systemShell(), systemSound(), ui,
                          systemMicrophone()});
    FormWindow mainWindow(Form1, ui);
    mainWindow.Create(nullptr);
    ui.SetMainWindow(mainWindow.hwnd());

    // Every box's window is made when it is first shown, and kept.
    TAboutBox AboutBox;
    FormWindow aboutWindow(AboutBox, ui);
    Form1.AboutBox = &AboutBox;
    FormWindow recordWindow(Form1.RecordBox, ui);

    mainWindow.Show();
    return RunMessageLoop();
}
