// The snow: flakes, circles against a pixel-by-pixel model, and the snow through the forms.
#include "app/kalo3.h"
#include "fixture.h"
#include "snow/snow_numbers.h"

#include <algorithm>
#include <random>
#include <ranges>
#include <sstream>

using namespace snow;
using testing_support::Program;

namespace {

SnowState stateWith(std::array<const char*, 4> texts) { // L, D, V, R
    SnowState s;
    SnowParam* params[] = {&s.SnowLayers, &s.SnowDensity, &s.SnowSpeed, &s.SnowSize};
    for (int k = 0; k < 4; ++k)
        *params[k] = std::string(texts[k]);
    return s;
}

Surface surfaceOf(int width, int height, FillStyle style = FillStyle::Solid,
                  std::uint32_t fill = WHITE) {
    Surface s;
    s.setWidth(width * 15.0);
    s.setHeight(height * 15.0);
    s.fillStyle = style;
    s.fillColor = fill;
    s.backColor = 0x123456; // over black pixels, so that a missing clear shows
    return s;
}

// A clear, then each circle in turn, outlined in white: a disc holds the pixels whose
// centres lie within its radius (15 twips a pixel), the outline those beyond radius - 1.
std::vector<std::uint32_t> model(const Surface& s, const std::vector<CircleAt>& circles) {
    const int w = s.widthPixels(), h = s.heightPixels();
    std::vector<std::uint32_t> out(std::size_t(w) * std::size_t(h), s.backColor);
    auto within = [](double d2, double r) { return r >= 0 && d2 <= r * r; };
    for (const auto& c : circles) {
        double cx = std::round(c.x / 15.0), cy = std::round(c.y / 15.0), r = c.radius / 15.0;
        for (int y = int(std::clamp(cy - r, 0.0, double(h))); y < h && y <= cy + r; ++y)
            for (int x = int(std::clamp(cx - r, 0.0, double(w))); x < w && x <= cx + r; ++x) {
                double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                auto& pixel = out[std::size_t(y) * std::size_t(w) + std::size_t(x)];
                if (s.fillStyle == FillStyle::Solid && within(d2, r)) pixel = s.fillColor;
                if (within(d2, r) && !within(d2, r - 1)) pixel = WHITE;
            }
    }
    return out;
}

// What a see-through window `dw` pixels wider and `dh` rows taller than the picture shows
// of it: black clear, every other colour opaque, and its own 7s beyond the picture.
std::vector<std::uint32_t> keyedView(const std::vector<std::uint32_t>& picture, int w, int h,
                                     int dw, int dh) {
    std::vector<std::uint32_t> out(std::size_t(w + dw) * std::size_t(h + dh), 7);
    for (int y = 0; y < std::min(h, h + dh); ++y)
        for (int x = 0; x < std::min(w, w + dw); ++x) {
            auto colour = picture[std::size_t(y) * std::size_t(w) + std::size_t(x)];
            out[std::size_t(y) * std::size_t(w + dw) + std::size_t(x)] =
                colour == BLACK ? 0 : 0xFF000000 | colour;
        }
    return out;
}

const char* const SLIDER_KEYS[] = {"s1", "s2", "s3", "s4"};

void store(Program& p, const char* values) { // s1..s4 by blanks; "-": none
    std::istringstream in(values);
    std::string value;
    for (int k = 0; k < 4 && in >> value; ++k)
        if (value != "-") p.setProgramValue(SLIDER_KEYS[k], value);
}

// The snow as the user sees it: the stored switch ("-": none), the window, its timer and
// flakes, the menu item offered; "Snow on top" ticked and stored, each z-order change ("!":
// not over the screen); each slider = its stored value.
struct SnowView {
    std::string stored;
    bool shown, timer, flakes;
    std::string offered;
    int onTop;
    std::string onTopStored;
    std::vector<std::string> zOrder;
    std::string sliders;
    bool operator==(const SnowView&) const = default;
};
void PrintTo(const SnowView& v, std::ostream* out) {
    *out << "\n  stored: " << v.stored << "\n  shown: " << v.shown << ", timer: " << v.timer
         << ", flakes: " << v.flakes << "\n  offered: " << v.offered << "\n  on top: " << v.onTop
         << ", stored " << v.onTopStored << "\n  z-order:";
    for (const auto& change : v.zOrder)
        *out << " " << change;
    *out << "\n  sliders: " << v.sliders;
}

SnowView view(Program& p) {
    auto& m = p.main();
    auto& overlay = p.app->kalo3();
    SnowView v{p.programValue("snow").value_or("-"),
               overlay.window.visible(),
               overlay.Timer1.enabled(),
               std::ranges::count(overlay.Picture1.pixels(), WHITE) > 0,
               std::string(m.snow1.visible() ? "on" : "") + (m.snow2.visible() ? "off" : ""),
               m.Check1.value(),
               p.appSetting("check1s", "check1t").value_or("-"),
               {},
               ""};
    for (auto c : p.os.topMostCalls)
        v.zOrder.push_back(
            std::string(c.topMost ? "top" : "normal") +
            (c.width == p.os.metrics.widthPixels && c.height == p.os.metrics.heightPixels ? ""
                                                                                          : "!"));
    const ui::Slider* sliders[] = {&m.Slider1_Layers, &m.Slider2_Density, &m.Slider3_Speed,
                                   &m.Slider4_Size};
    for (int k = 0; k < 4; ++k)
        v.sliders += (k ? " " : "") + std::to_string(sliders[k]->value()) + "=" +
                     p.programValue(SLIDER_KEYS[k]).value_or("-");
    return v;
}

} // namespace

// Loop bounds floor into 32 bits; the largest 32-bit number is still one.
TEST(SnowNumbers, FloorToInt32TakesTheWholeRangeAndNoMore) {
    EXPECT_EQ(
        std::tuple(floorToInt32(2147483647.0), floorToInt32(-2147483648.0), floorToInt32(-0.5)),
        std::tuple(2147483647, -2147483647 - 1, -1));
    for (double bad : {2147483648.0, -2147483649.0})
        EXPECT_THROW(floorToInt32(bad), settings::OverflowError) << bad;
    EXPECT_EQ(toSingle(-double(FLT_MAX)), -FLT_MAX) << "the largest single still is one";
    EXPECT_THROW(toSingle(double(FLT_MAX) * 1.0000001), settings::OverflowError);
}

// Layers 0..L, flakes 0..D of each, rounded half to even, D read again for every layer, up to
// the first error; x takes a random r, y the next: floor(r x size + 1), r kept below 1.
TEST(SnowPlace, EveryFlakeUpToTheFirstError) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"", "", 0},      {"1", "1", 4},   {"2.5", "0", 3},   {"0.4", "0", 1},
        {"3.5", "0", 5},  {"-1", "0", 0},  {" 1 ", "0", 2},   {"3", "", 0},
        {"3", "snow", 0}, {"3", "1e9", 0}, {"3", "150", 101}, {"150", "1", 202}};
    for (auto [layers, density, placed] : cases) {
        auto state = stateWith({layers, density, "", ""});
        state.random = [odd = false]() mutable { return (odd = !odd) ? 0.25 : 0.99999999; };
        state.InitSnow(1000, 500);
        auto at = [](Flake f) { return f.x == 251 && f.y == 500; };
        EXPECT_EQ(std::ranges::count_if(state.Flakes | std::views::join, at), placed)
            << layers << " " << density;
    }
}

// Layer i falls (L - i + 1) x V twips, rounded half to even; a flake at or below the bottom,
// the picture's height rounded so, goes back to the top; the first error ends the move.
TEST(SnowMove, EachLayerFallsItsStepAndAFlakeAtTheBottomReentersAtTheTop) {
    using Flakes = std::vector<std::array<int, 4>>; // layer, flake, y before, y after
    const std::tuple<const char*, const char*, const char*, double, Flakes> cases[] = {
        {"1", "1", "1", 1500, {{0, 0, 10, 12}, {0, 1, 10, 12}, {1, 1, 10, 11}, {0, 2, 10, 10}}},
        {"1.5", "0", "3", 1500, {{0, 0, 0, 8}, {1, 0, 0, 4}, {2, 0, 0, 2}}}, // 7.5, 4.5, 1.5
        {"0", "2", "7", 1500, {{0, 0, 1499, 1506}, {0, 1, 1500, 0}, {0, 2, 1506, 0}}},
        {"0", "1", "1", 1500.5, {{0, 0, 1499, 1500}, {0, 1, 1500, 0}}},
        {"0", "1", "1", 1501.5, {{0, 0, 1501, 1502}, {0, 1, 1502, 0}}},
        {"0", "2", "", 1500, {{0, 0, 1500, 0}, {0, 1, 5, 5}, {0, 2, 1600, 1600}}},
        {"0", "1", "100", 3e9, {{0, 0, 2147483600, 2147483600}, {0, 1, 10, 10}}},
        {"101", "0", "1", 1500, {{0, 0, 0, 102}, {100, 0, 0, 2}}},
        {"1", "100", "1", 1500, {{0, 100, 0, 2}, {1, 0, 0, 1}}}}; // neighbours, not one flake
    for (const auto& [layers, density, speed, height, flakes] : cases) {
        auto state = stateWith({layers, density, speed, ""});
        Surface picture;
        picture.setHeight(height);
        for (auto [i, j, before, after] : flakes)
            state.Flakes[i][j].y = before;
        state.MoveSnow(picture);
        for (auto [i, j, before, after] : flakes)
            EXPECT_EQ(state.Flakes[i][j].y, after) << layers << " " << speed << " " << height;
    }
}

// Layers from L down, layer i a white disc of radius (L - i) x R around each flake; the
// first bad number ends the frame, which shows the circles before it.
TEST(SnowDraw, AFrameShowsTheFlakesOfEachLayerFarthestFirstUpToTheFirstError) {
    using Params = std::array<const char*, 4>; // drawn: layers L down to the last, flakes 0..
    const std::tuple<Params, int, int> cases[] = {
        {{"", "", "", ""}, 0, 0},           {{"3", "2", "5", ""}, 0, 0},
        {{"1", "1", "1", "1"}, 0, 2},       {{"5", "0", "", "5"}, 0, 1},
        {{"0", "3", "", "10"}, 0, 4},       {{"3", "150", "", "15"}, 3, 101},
        {{"101", "0", "", "1"}, 0, 0},      {{"1", "0", "", "1e300"}, 1, 1},
        {{"50", "100", "50", "10"}, 0, 101}};
    std::mt19937 random(1);
    for (auto [params, lastLayer, flakes] : cases) {
        auto state = stateWith(params);
        for (auto& flake : state.Flakes | std::views::join)
            flake = {int(random() % 1500), int(random() % 1500)};
        auto picture = surfaceOf(100, 100, FillStyle::Solid, 0xFF00); // the frame sets white
        state.DrawSnow(picture);
        std::vector<CircleAt> circles;
        const double layers = std::atof(params[0]), size = std::atof(params[3]);
        for (int i = int(layers); flakes && i >= lastLayer; --i)
            for (int j = 0; j < flakes; ++j)
                circles.push_back({float(state.Flakes[i][j].x), float(state.Flakes[i][j].y),
                                   float((layers - i) * size)});
        EXPECT_EQ(picture.pixels(), model(surfaceOf(100, 100), circles)) << params[0];
    }
}

TEST(SnowSurface, CirclesGiveThePixelsOfTheModel) {
    // Random circles across the union mask's 64-pixel words, off every edge, a few of
    // radius <= 0: the pixels of the model whatever their fill.
    std::vector<std::pair<Surface, std::vector<CircleAt>>> cases;
    cases.push_back({surfaceOf(20, 10), {{-3e6f, 5e6f, 3e38f}}}); // a radius beyond any
    cases.push_back({surfaceOf(5, 5, FillStyle::Solid, 0xFF00), {{30, 30, 15}}}); // one pixel
    const int sizes[][3] = {{1, 2, 20},    {7, 5, 40},     {37, 23, 200}, {64, 10, 150},
                            {65, 33, 300}, {130, 70, 300}, {100, 60, 30}, {129, 3, 400}};
    std::mt19937 random(1);
    for (auto [w, h, count] : sizes)
        for (float maxRadius : {60.f, 600.f, 3e9f}) {
            std::uniform_real_distribution<float> x(-w * 15.f, w * 30.f), y(-h * 15.f, h * 30.f);
            std::uniform_real_distribution<float> r(-maxRadius / 8, maxRadius);
            std::vector<CircleAt> circles;
            for (int k = 0; k < count; ++k)
                circles.push_back({x(random), y(random), k % 7 ? r(random) : 0.f});
            cases.push_back({surfaceOf(w, h), circles});
            cases.push_back({surfaceOf(w, h, FillStyle::Transparent), circles});
            cases.push_back({surfaceOf(w, h, FillStyle::Solid, 0xFF00), circles});
        }
    cases.push_back({surfaceOf(70, 9), cases.back().second});
    cases.back().first.backColor = BLACK;
    Surface narrower; // one side changed alone resizes the pixels too
    narrower.setWidth(30 * 15.0);
    narrower.setTwipsPerPixel(0, -1); // no scale: the old one stays
    EXPECT_EQ(std::pair(narrower.widthPixels(), narrower.pixels().size()),
              std::pair(30, std::size_t(30 * narrower.heightPixels())));
    // Each frame as a window takes it; then with one more circle drawn over it, as pixels too.
    for (auto& [s, circles] : cases) {
        const int w = s.widthPixels(), h = s.heightPixels();
        auto window = [&s, w, h](int dw, int dh) {
            std::vector<std::uint32_t> out(std::size_t(w + dw) * std::size_t(h + dh), 7);
            s.copyKeyed({out.data(), w + dw, h + dh});
            return out;
        };
        auto expected = model(s, circles);
        s.ClsAndCircles(circles, WHITE);
        ASSERT_EQ(window(1, -1), keyedView(expected, w, h, 1, -1));
        ASSERT_EQ(window(-1, 1), keyedView(expected, w, h, -1, 1));
        circles.push_back({w * 7.5f, h * 7.5f, 45});
        s.Circle(circles.back().x, circles.back().y, circles.back().radius, WHITE);
        expected = model(s, circles);
        ASSERT_EQ(window(1, -1), keyedView(expected, w, h, 1, -1));
        ASSERT_EQ(window(-1, 1), keyedView(expected, w, h, -1, 1));
        ASSERT_EQ(s.pixels(), expected);
        ASSERT_EQ(s.pixel(w - 1, h - 1), expected.back());
    }
}

// Only the exact text "on" starts the snow; "Snow on top" is ticked unless stored cleared;
// the sliders are restored in order, clamped, a missing value ending the start-up.
TEST(SnowStartup, RestoresTheSwitchSnowOnTopAndTheSliders) {
    struct Row {
        const char *snow, *sliders, *onTop;
        SnowView seen;
    };
    const std::vector<std::string> top{"top"};
    const Row rows[] = {
        {"on", "5 3 4 3", nullptr, {"on", 1, 1, 1, "off", 1, "1", top, "5=5 3=3 4=4 3=3"}},
        {"On", "7 30 - 3", "1", {"off", 1, 0, 0, "on", 1, "1", top, "7=7 30=30 1=- 1=3"}},
        {"ON", "80 0 2.5 -4", "True", {"off", 1, 0, 0, "on", 1, "1", top, "50=50 1=1 2=2 1=1"}},
        {"on ", "7 30 4 3", "0", {"off", 0, 0, 0, "on", 0, "0", {}, "7=7 30=30 4=4 3=3"}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("switch '") + row.snow + "'");
        Program p;
        p.write("KALO DC.dat", testing_support::listBytes({p.picture("a.bmp")}));
        p.setProgramValue("snow", row.snow);
        store(p, row.sliders);
        if (row.onTop) p.setAppSetting("check1s", "check1t", row.onTop);
        p.app->start();
        EXPECT_EQ(view(p), row.seen);
    }
    Program p;
    auto& m = p.main();
    for (const ui::Slider* s :
         {&m.Slider1_Layers, &m.Slider2_Density, &m.Slider3_Speed, &m.Slider4_Size})
        EXPECT_EQ(std::pair(s->smallChange(), s->largeChange()), std::pair(1, 5)) << "key steps";
}

// The falling snow's picture: its size, the random numbers drawn, the flake size R, the
// frames shown, the white pixels and the first flake's height.
struct Frame {
    int width, height;
    long draws;
    double size;
    int frames;
    long white;
    int y;
    bool operator==(const Frame&) const = default;
};
void PrintTo(const Frame& f, std::ostream* out) {
    *out << f.width << "x" << f.height << ", " << f.draws << " draws, R " << f.size << ", "
         << f.frames << " frames, " << f.white << " white, y " << f.y;
}

// The snow on over a 1366 x 768 screen: one flake of one pixel, 3 twips a frame for a
// second, then 6 twips a frame.
struct FallingSnow : Program, ::testing::Test {
    long draws = 0;
    int frames = 0;
    app::Kalo3* overlay = nullptr;
    FallingSnow() {
        os.metrics = {1366, 768, 12, 12};
        setProgramValue("snow", "on");
        store(*this, "0 0 3 1");
        app->snow().random = [this] { return ++draws % 9 / 9.0; };
        main();
        overlay = &app->kalo3();
        overlay->Picture1.presented = [this] { ++frames; };
        os.advance(1000);
        main().Slider3_Speed.move(6);
        os.advance(125); // 8 frames of 3 twips, then one of 6
    }
    Frame frame() {
        const auto& picture = overlay->Picture1;
        return {picture.widthPixels(),
                picture.heightPixels(),
                draws,
                app->snow().SnowSize.number(),
                frames,
                long(std::ranges::count(picture.pixels(), WHITE)),
                app->snow().Flakes[0][0].y};
    }
    void resize() { overlay->window.resized(15000, 9000); }
    void moveSliders() {
        main().Slider4_Size.move(9);
        main().Slider2_Density.move(64); // 1 layer x 65 flakes
        main().Slider1_Layers.move(17);  // 18 layers x 65 flakes
    }
};

// A frame every 125 ms while on; a resize refits the picture, reloads the stored values and
// places the flakes again.
TEST_F(FallingSnow, AFrameEvery125MsAndAResizePlacesTheFlakesAgain) {
    EXPECT_EQ(frame(), (Frame{1366, 768, 4, 1, 9, 1, 4130}));
    resize();
    EXPECT_EQ(frame(), (Frame{1250, 750, 8, 1, 10, 1, 8007}));
    moveSliders();
    EXPECT_EQ(frame(), (Frame{1250, 750, 2478, 9, 10, 1, 5001}));
    EXPECT_EQ(os.layeredCalls, 1) << "keyed black once, however often it is refitted";
    main().snow2.click();
    main().snow1.click();
    const int before = frames;
    os.advance(125);
    EXPECT_EQ(frames, before + 1) << "off, then on again: a frame every 125 ms";
}

// "Reset Snow" sets each slider from what it reads back, or leaves it when nothing was
// written; the zeros it writes are below every slider's minimum.
TEST_F(FallingSnow, ResetSnowSetsTheSlidersFromWhatItReadsBack) {
    resize(), moveSliders();
    main().Check1.setValue(1);
    main().Check1.setValue(2); // greyed counts as cleared
    setProgramValue("s4", "x");
    os.reg.failWrites = true;
    main().resetsnow.click();
    std::vector<std::string> zOrder{"top", "normal", "normal", "normal"};
    EXPECT_EQ(view(*this),
              (SnowView{"on", true, false, false, "on", 0, "0", zOrder, "17=17 64=64 6=6 9=x"}));
    os.reg.failWrites = false;
    setAppSetting("check1s", "check1t", "1"); // stored ticked, the box clear
    main().resetsnow.click();
    zOrder.push_back("normal");
    EXPECT_EQ(view(*this),
              (SnowView{"off", true, false, false, "on", 0, "0", zOrder, "1=1 1=1 1=1 1=1"}));
}
