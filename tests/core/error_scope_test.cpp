// The procedures that end quietly at their first error end at the errors the behaviour
// names (a stored text that does not convert, an overflow, an index above 100, a list
// file that cannot be read) and let every other error through: a fault of the program
// itself, such as running out of memory, must not pass for a bad stored value.
#include "core/fixture.h"
#include "snow/snow_state.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace {

TEST(ErrorScope, PlacingTheFlakesLetsAnOutOfMemoryThrough) {
    snow::SnowState state;
    state.SnowLayers = 1;
    state.SnowDensity = 1;
    state.random = []() -> double { throw std::bad_alloc(); };
    EXPECT_THROW(state.InitSnow(1000, 1000), std::bad_alloc);
}

// The start-up resumes the stored run; with no interval it reports one, and a fault
// raised while that box is open ends the start-up loudly, not as a bad stored value would.
TEST(ErrorScope, MainWindowStartUpLetsAFaultThrough) {
    testing_support::Program p;
    p.write("KALO DC.dat", testing_support::listBytes({p.picture("a.bmp")}));
    p.os.whileBoxOpen = [] { throw std::logic_error("a fault of the program"); };
    EXPECT_THROW(p.main(), std::logic_error);
}

TEST(ErrorScope, MainWindowStartUpEndsQuietlyAtAStoredTextThatDoesNotConvert) {
    testing_support::Program p;
    p.write("KALO DC.dat", testing_support::listBytes({p.picture("a.bmp")}));
    p.setAppSetting("cmdrun", "cmdstop", "maybe");
    p.setProgramValue("s1", "7");
    EXPECT_NO_THROW(p.main());
    EXPECT_EQ(p.main().Slider1_Layers.value(), 1) << "the sliders' step, after it, never ran";
}

} // namespace
