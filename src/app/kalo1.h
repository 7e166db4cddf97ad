#pragma once
// The tray window: never shown; runs the start-up, owns the tray icon and its menu.
#include "app/form.h"

#include <array>

namespace app {

inline const std::string TRAY_TIP = "KALO Desktop wallpaper changer [KALO DC]";

class Kalo1 : public Form {
  public:
    explicit Kalo1(App& app);

    // The pop-up menu KALO.
    ui::MenuItem showmenu{"Show Menu"};
    ui::MenuItem kalowallpapersstyle{"WallPapers Style"};
    std::array<ui::MenuItem, 3> kalomenu{ui::MenuItem{"Centered"}, ui::MenuItem{"Tiled"},
                                         ui::MenuItem{"Stretched"}};
    ui::MenuItem starupprogram{"Run on StartUp"};
    ui::MenuItem exit{"Exit"};

    bool busy = false;          // the pop-up menu is open
    float lastNotification = 0; // last tray notification code

    void Form_Load();         // the start-up sequence
    void bringUpMainWindow(); // loads the main window, hidden when the tray leads to it
    // A later start of the program asks this copy, which runs already, for its main window.
    void answerAnotherStart();
    // A tray notification, delivered as a mouse move whose x in twips carries the code.
    void Form_MouseMove(double xTwips);
    void showmenu_Click();
    void exit_Click();
    void kalomenu_Click(int index);
    void starupprogram_Click();
    void ReapplyWallpaper();
    void SetWallpaperStyle(int style);
    std::string programPathText() const;
    void refuseStartUp(); // tells why the program cannot be started at log-on
    // The Run value: the program path in quotes.
    static std::string runCommandLine(const std::string& programPath);
    void refreshStartUpCheck();
    void refreshStyleChecks(); // the style items from the desktop's stored style
};

} // namespace app
