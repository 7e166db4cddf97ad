#pragma once
// "Snow on top": the snow window's place in the z-order and the stored check state.

namespace app {

class App;

// Raises the snow window above all others or returns it among them, and shows it.
// The screen's size goes with the change, so the window keeps covering the screen.
void setSnowWindowTopMost(App& app, bool topMost);
// Stores "1" or "0" in the application settings.
void saveSnowOnTop(App& app, bool ticked);

} // namespace app
