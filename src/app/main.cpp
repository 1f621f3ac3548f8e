// Program entry: one copy per session, the application object, the palette
// window, then the message loop.
#include "application.h"
#include "single_instance.h"
#include "about_box.h"
#include "help_window.h"
#include "main_form.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // A second copy leaves before loading anything or showing a window.
    tamga::SingleInstance instance(L"Tamgalik");
    if (instance.already_running()) return 0;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    tamga::TApplication application(L"Tamgalik");
    tamga::TForm1 form(application);
    tamga::TAboutBox1 about(application);
    tamga::THelp1 help(application);
    form.set_information_windows(about, help);
    return application.run();
}
