#include "app/app.h"
#include "app/kalo2.h"
#include "rotation/list_file.h"

namespace app {

// The list file's bytes after a reset: the marker as one record. Where the code page
// has no form for the marker, an empty file stands for the same empty list.
static std::string markerFileBytes(const platform::CodePage& codePage) {
    return rotation::encodeListFile({rotation::EMPTY_LIST_MARKER}, codePage).value_or("");
}

// Stops the rotation, empties the list, restores the interval placeholders and
// leaves the marker in the list file (written through a temporary file).
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
    app_.registry().writeProgramValue("C1", "Select");
    app_.registry().writeProgramValue("C2", "Interval");
    auto& os = app_.os();
    if (os.files().replaceAtomically(listFilePath(), markerFileBytes(os.codePage()))) return;
    os.messageBox("Unable to access " + listFilePath() + ". The Image list will not be saved",
                  "Error", platform::MB_CRITICAL);
}

} // namespace app
