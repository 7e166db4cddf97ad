// KALO DC for Windows: the tray program that rotates the wallpaper and lets it snow.
#include "app/app.h"
#include "win32/win32_platform.h"

#include <commctrl.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    win32::Win32Platform os;
    app::App program(os);
    os.attach(program);
    program.start();
    return os.run();
}
