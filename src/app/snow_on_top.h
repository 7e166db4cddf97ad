#pragma once
// "Snow on top": the snow window's place in the z-order and the stored check state.
#include <string>

namespace app {

class App;

inline const std::string ON_TOP_SECTION = "check1s";
inline const std::string ON_TOP_KEY = "check1t";

// Raises the snow window above all others or returns it among them, and shows it.
// The screen's size goes with the change, so the window keeps covering the screen.
void setSnowWindowTopMost(App& app, bool topMost);
// Stores "1" or "0" in the application settings.
void saveSnowOnTop(App& app, bool ticked);

} // namespace app
