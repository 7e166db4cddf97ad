#include "app/app.h"
#include "app/kalo2.h"
#include "rotation/list_file.h"

namespace app {

// The list file's bytes after a reset: the marker as one record. Where the code page
// has no form for the marker, an empty file stands for the same empty list.
static std::string markerFileBytes(const platform::CodePage& codePage) {
    return rotation::encodeListFile({rotation::EMPTY_LIST_MARKER}, codePage).value_or("");
}

// Leaves the marker in the list file through a temporary file; a failure keeps the
// old file and is reported.
static bool writeMarkerFile(platform::Platform& os, const std::string& path) {
    if (os.files().replaceAtomically(path, markerFileBytes(os.codePage()))) return true;
    os.messageBox("Unable to access " + path + ". The Image list will not be saved", "Error",
                  platform::MB_CRITICAL);
    return false;
}

// Stops the rotation, empties the list, restores the interval placeholders and
// leaves the marker in the list file.
void Kalo2::reset_Click() {
    Timer1.setEnabled(false);
    Timer2.setEnabled(false);
    Wallpaper.clear();
    stope_Click();
    c1.setText("Select");
    c2.setText("Interval");
    c1.setEnabled(false);
    c2.setEnabled(false);
    Check1.setValue(0);
    app_.registry().writeProgramValue(settings::INTERVAL_NUMBER, "Select");
    app_.registry().writeProgramValue(settings::INTERVAL_UNIT, "Interval");
    if (writeMarkerFile(app_.os(), listFilePath())) listUnread_ = false; // emptied on purpose
}

} // namespace app
