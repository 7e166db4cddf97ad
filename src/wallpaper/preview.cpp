// The preview: the list's current entry shown in the image box `im`.
#include "app/app.h"
#include "app/kalo2.h"

namespace app {

// Decodes the current entry once. On success `im` shows it and remembers which entry
// it is, so the applier can reuse the picture; on failure `im` keeps its old picture
// and the entry is reported, unless a report is already on screen.
void Kalo2::Wallpaper_Click() {
    long index = Wallpaper.listIndex();
    if (index < 0 || index >= Wallpaper.count()) return;
    std::string entry = Wallpaper.item(index);
    auto picture = app_.os().loadPicture(entry);
    if (picture) {
        im.setPicture(std::move(picture));
        previewPath_ = entry;
        return;
    }
    previewPath_.clear();
    if (missingFileBoxOpen_) return;
    missingFileBoxOpen_ = true;
    app_.os().messageBox(entry + " missing!", "Missing File", platform::MB_EXCLAMATION);
    missingFileBoxOpen_ = false;
}

} // namespace app
