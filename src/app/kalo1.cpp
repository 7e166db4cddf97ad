#include "app/kalo1.h"

#include "app/app.h"
#include "app/kalo2.h"
#include "app/kaloload.h"
#include "wallpaper/style.h"

namespace app {

Kalo1::Kalo1(App& app) : Form(app, platform::FormId::KALO1, MAIN_CAPTION) {
    showmenu.Click = [this] { showmenu_Click(); };
    for (int i = 0; i < 3; ++i)
        kalomenu[std::size_t(i)].Click = [this, i] { kalomenu_Click(i); };
    starupprogram.Click = [this] { starupprogram_Click(); };
    exit.Click = [this] { exit_Click(); };
}

void Kalo1::Form_Load() {
    Hide();
    if (app_.os().previousInstanceRunning()) {
        app_.kaloLoad().Show();
        app_.os().askPreviousInstanceToShow();
    } else {
        bringUpMainWindow();
        app_.os().addTrayIcon(TRAY_TIP);
        app_.trayIconAdded_ = true;
    }
    refreshStartUpCheck();
    refreshStyleChecks();
}

// Shown and hidden again at once when the tray is the way back to it. Without a tray it
// stays on screen, shown once: a window hidden and shown again at once may never be
// mapped by a window manager that has not yet seen it hidden.
void Kalo1::bringUpMainWindow() {
    auto& main = app_.kalo2();
    if (!app_.os().trayAvailable()) return main.ShowInFront();
    main.Show();
    main.Hide();
}

// Without a tray nothing else leads back to a closed main window, so a later start of
// the program brings it to the front; with a tray it stays as it is.
void Kalo1::answerAnotherStart() {
    if (!app_.os().trayAvailable()) app_.kalo2().ShowInFront();
}

// Ticked when the Run value names this program, quoted as it is written now or bare
// as earlier versions wrote it.
void Kalo1::refreshStartUpCheck() {
    auto value = app_.registry().ReadRegistryValue(platform::HKEY_CURRENT_USER_ROOT,
                                                   settings::RUN_KEY, settings::RUN_VALUE);
    const std::string path = programPathText();
    starupprogram.setChecked(!path.empty() && (value == runCommandLine(path) || value == path));
}

// Checks the style item that the desktop's stored values name; a style that is none of
// the three (the desktop's own Fit or Fill, or nothing stored) leaves every item unchecked.
void Kalo1::refreshStyleChecks() {
    auto& reg = app_.registry();
    auto read = [&](const std::string& name) {
        return reg.ReadRegistryValue(platform::HKEY_CURRENT_USER_ROOT, settings::DESKTOP_KEY, name);
    };
    auto style =
        wallpaper::decodeStyle(read(settings::TILE_WALLPAPER), read(settings::WALLPAPER_STYLE));
    int index = style ? int(*style) : -1;
    for (int i = 0; i < 3; ++i)
        kalomenu[std::size_t(i)].setChecked(i == index);
}

void Kalo1::Form_MouseMove(double xTwips) {
    lastNotification = float(xTwips / app_.os().screen().twipsPerPixelX);
    if (busy) return;
    busy = true;
    if (lastNotification == float(platform::TRAY_RIGHT_UP)) {
        app_.os().setForegroundWindow(platform::FormId::KALO1);
        app_.os().popupTrayMenu();
    }
    busy = false;
}

void Kalo1::showmenu_Click() {
    app_.kalo2().ShowInFront();
}

void Kalo1::exit_Click() {
    app_.endProgram();
}

void Kalo1::kalomenu_Click(int index) {
    for (int i = 0; i < 3; ++i)
        kalomenu[std::size_t(i)].setChecked(i == index);
    SetWallpaperStyle(index);
    ReapplyWallpaper();
}

void Kalo1::SetWallpaperStyle(int style) {
    if (style < 0 || style > 2) return;
    auto texts = wallpaper::encodeStyle(wallpaper::Style(style));
    for (int i = 0; i < 3; ++i)
        kalomenu[std::size_t(i)].setChecked(i == style);
    auto& reg = app_.registry();
    reg.WriteRegistryString(platform::HKEY_CURRENT_USER_ROOT, settings::DESKTOP_KEY,
                            settings::TILE_WALLPAPER, texts.tileWallpaper);
    reg.WriteRegistryString(platform::HKEY_CURRENT_USER_ROOT, settings::DESKTOP_KEY,
                            settings::WALLPAPER_STYLE, texts.wallpaperStyle);
}

void Kalo1::ReapplyWallpaper() {
    app_.os().setDesktopWallpaper(std::nullopt, nullptr);
}

// In the code page's text, for the registry; empty when the path has no such form.
std::string Kalo1::programPathText() const {
    auto where = app_.os().location();
    return app_
        .codePagePath(where.folder + where.separator + where.executableName +
                      where.executableExtension)
        .value_or("");
}

// The path in quotes: it holds a blank, and an unquoted path with blanks would be
// split at the first one by whoever starts it.
std::string Kalo1::runCommandLine(const std::string& programPath) {
    return '"' + programPath + '"';
}

// Turning it off removes the value, so nothing is left for the log-on to run. A path
// the registry cannot hold is refused, and the item stays unticked.
void Kalo1::starupprogram_Click() {
    auto& reg = app_.registry();
    bool wasOn = starupprogram.checked();
    const std::string path = programPathText();
    if (wasOn)
        reg.DeleteRegistryValue(platform::HKEY_CURRENT_USER_ROOT, settings::RUN_KEY,
                                settings::RUN_VALUE);
    else if (path.empty())
        return refuseStartUp();
    else
        reg.WriteRegistryString(platform::HKEY_CURRENT_USER_ROOT, settings::RUN_KEY,
                                settings::RUN_VALUE, runCommandLine(path));
    starupprogram.setChecked(!wasOn);
}

void Kalo1::refuseStartUp() {
    auto where = app_.os().location();
    app_.os().messageBox("KALO DC cannot start at log-on from " + where.folder +
                             ". The name of that folder holds characters that the system code "
                             "page cannot store, and it has no short name to use instead. Move "
                             "KALO DC to a folder with a plain name.",
                         "Error", platform::MB_CRITICAL);
}

} // namespace app
