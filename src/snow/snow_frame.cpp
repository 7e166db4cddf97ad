// One frame of the snow: every flake one step down, then the whole picture redrawn.
#include "settings/conversions.h"
#include "snow/snow_numbers.h"
#include "snow/snow_state.h"
#include "snow/surface.h"

#include <vector>

namespace snow {

void SnowState::MoveSnow(const Surface& picture) {
    try {
        moveAll(picture.height());
    } catch (const settings::ProcedureError&) {
    }
}

void SnowState::moveAll(double pictureHeight) {
    const double bottom = settings::roundHalfEven(pictureHeight);
    const int layers = SnowLayers.loopBound();
    for (int i = 0; i <= layers; ++i) {
        const int flakes = SnowDensity.loopBound();
        for (int j = 0; j <= flakes; ++j)
            moveFlake(flakeAt(i, j), i, bottom);
    }
}

// Layer i falls (L - i + 1) x V twips a frame; V is only needed when a flake falls.
void SnowState::moveFlake(Flake& flake, int layer, double bottom) const {
    if (double(flake.y) >= bottom) {
        flake.y = 0;
        return;
    }
    double step = (SnowLayers.number() - layer + 1) * SnowSpeed.number();
    flake.y = settings::toInt32(double(flake.y) + step);
}

// The circles are gathered first and painted with the clear in one pass; an error ends
// the gathering, and the picture shows the clear and every circle gathered before it.
void SnowState::DrawSnow(Surface& picture) const {
    std::vector<CircleAt> circles;
    circles.reserve(FlakeTable().size() * FlakeTable::value_type().size());
    try {
        drawLayers(picture, circles);
    } catch (const settings::ProcedureError&) {
    }
    picture.ClsAndCircles(circles, WHITE);
}

// From the farthest layer L down to the nearest, so nearer flakes cover farther ones.
void SnowState::drawLayers(Surface& picture, std::vector<CircleAt>& circles) const {
    const int layers = SnowLayers.loopBound();
    for (int i = layers; i >= 0; --i) {
        picture.fillColor = WHITE;
        const int flakes = SnowDensity.loopBound();
        for (int j = 0; j <= flakes; ++j)
            circles.push_back(circleOf(flakeAt(i, j), i));
    }
}

// Layer i has the radius (L - i) x R twips.
CircleAt SnowState::circleOf(const Flake& flake, int layer) const {
    float radius = toSingle((SnowLayers.number() - layer) * SnowSize.number());
    return {float(flake.x), float(flake.y), radius};
}

} // namespace snow
