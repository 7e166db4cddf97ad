// The procedures that end quietly at their first error end only at the errors the behaviour
// names (a stored text that does not convert, an overflow, ...): a fault of the program
// itself, such as running out of memory, must not pass for a bad stored value.
#include "core/fixture.h"
#include "snow/snow_state.h"

#include <new>
#include <stdexcept>

namespace {

TEST(ErrorScope, PlacingTheFlakesLetsAnOutOfMemoryThrough) {
    snow::SnowState state;
    state.SnowLayers = state.SnowDensity = 1;
    state.random = []() -> double { throw std::bad_alloc(); };
    EXPECT_THROW(state.InitSnow(1000, 1000), std::bad_alloc);
}

// A run flag that does not convert ends the main window's start-up quietly, before the
// sliders; a fault raised while its "no interval" box is open ends it loudly.
TEST(ErrorScope, MainWindowStartUpEndsQuietlyOnlyAtAStoredTextThatDoesNotConvert) {
    for (bool fault : {false, true}) {
        testing_support::Program p;
        p.write("KALO DC.dat", testing_support::listBytes({p.picture("a.bmp")}));
        p.setAppSetting("cmdrun", "cmdstop", fault ? "1" : "maybe");
        p.setProgramValue("s1", "7");
        if (fault) {
            p.os.whileBoxOpen = [] { throw std::logic_error("a fault of the program"); };
            EXPECT_THROW(p.main(), std::logic_error);
        } else {
            EXPECT_EQ(p.main().Slider1_Layers.value(), 1) << "the sliders' step never ran";
        }
    }
}

} // namespace
