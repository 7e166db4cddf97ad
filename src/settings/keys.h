#pragma once
// Every stored value of the program: the keys, the value names and the application
// settings' sections, each written once here. The store matches keys, sections and value
// names without regard to case, as the registry does ("C1" written and "c1" read are one
// value); the names below are in the case the program writes them.
#include <array>
#include <string>

namespace settings {

// Keys under HKEY_CURRENT_USER.
inline const std::string PROGRAM_KEY = "Software\\KALO\\KALO DC\\";
inline const std::string RUN_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::string DESKTOP_KEY = "Control Panel\\Desktop";
inline const std::string APP_SETTINGS_KEY = "Software\\VB and VBA Program Settings\\";

// Under PROGRAM_KEY.
inline const std::string INTERVAL_NUMBER = "C1"; // the number box's text
inline const std::string INTERVAL_UNIT = "C2";   // the unit box's text
inline const std::string SNOW_SWITCH = "snow";   // "on" or "off"
inline const std::string SNOW_LAYERS = "s1";     // the four sliders' positions
inline const std::string SNOW_DENSITY = "s2";
inline const std::string SNOW_SPEED = "s3";
inline const std::string SNOW_SIZE = "s4";
inline const std::array<std::string, 4> SNOW_SLIDERS{SNOW_LAYERS, SNOW_DENSITY, SNOW_SPEED,
                                                     SNOW_SIZE};

// Under RUN_KEY: the command line that starts the program at log-on.
inline const std::string RUN_VALUE = "KALO DC";

// Under DESKTOP_KEY: the desktop's own wallpaper values.
inline const std::string TILE_WALLPAPER = "TileWallpaper";
inline const std::string WALLPAPER_STYLE = "WallpaperStyle";
inline const std::string WALLPAPER_PATH = "Wallpaper";

// Application settings, under APP_SETTINGS_KEY + application + "\" + section.
struct AppSettingName {
    std::string section, key;
};
// Under the program's own application name (its executable's name).
inline const AppSettingName RUNNING{"cmdrun", "cmdstop"};        // "1" while rotating
inline const AppSettingName MINUTE_RUNNING{"tcirun", "tcistop"}; // "1" while by minutes
inline const AppSettingName SNOW_ON_TOP{"check1s", "check1t"};   // "Snow on top" ticked
// Under an application of its own: the last file the Add dialog picked.
inline const std::string LAST_FILE_APPLICATION = "Image Files";
inline const AppSettingName LAST_FILE{"1", "1"};

} // namespace settings
