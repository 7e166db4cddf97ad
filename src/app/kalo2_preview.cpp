// The preview: the list's current entry shown in the image box `im`.
#include "app/app.h"
#include "app/kalo2.h"
#include "app/layout.h"
#include "wallpaper/scaled_copy.h"

#include <algorithm>

namespace app {

namespace {

// What the box holds of a picture: the picture itself where it fits the box and owns its
// rows, else a copy no larger than the box (the box stretches either to its size). A
// photograph's full size is never kept for the preview, nor rows lent for one apply.
ui::PicturePtr previewOf(const ui::PicturePtr& picture) {
    const int boxWidth = layout::MAIN.im.width / layout::TWIPS_PER_PIXEL;
    const int boxHeight = layout::MAIN.im.height / layout::TWIPS_PER_PIXEL;
    const bool fits = picture->width <= boxWidth && picture->height <= boxHeight;
    if (!picture->whole() || (fits && !picture->borrowed)) return picture;
    return std::make_shared<const ui::Picture>(wallpaper::scaledCopy(
        *picture, std::min(picture->width, boxWidth), std::min(picture->height, boxHeight)));
}

} // namespace

// Decodes the current entry once. On success `im` shows it and remembers which entry it
// is, and an apply in progress is handed the decoded picture; on failure `im` keeps its
// old picture and the entry is reported, unless a report is already on screen.
void Kalo2::Wallpaper_Click() {
    long index = Wallpaper.listIndex();
    if (index < 0 || index >= Wallpaper.count()) return;
    std::string entry = Wallpaper.item(index);
    auto picture = app_.os().loadPicture(entry, handOverDecoded_ ? applyPlace_ : nullptr);
    if (picture) {
        im.setPicture(previewOf(picture));
        previewPath_ = entry;
        if (handOverDecoded_) decoded_ = std::move(picture);
        return;
    }
    previewPath_.clear();
    if (missingFileBoxOpen_) return;
    missingFileBoxOpen_ = true;
    app_.os().messageBox(entry + " missing!", "Missing File", platform::MB_EXCLAMATION);
    missingFileBoxOpen_ = false;
}

} // namespace app
