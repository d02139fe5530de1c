#include "ui/main/dock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>
#include <vector>

#include "platform/twips.h"

namespace quillet {
namespace {

using Edge = DockMove::Edge;

// A 513 x 384 pixel window on one 1920 x 1080 screen at 96 DPI, placed by its
// twips; the rectangle follows from them as the platform would round it.
DockInputs Window(float left, float top, PixelPoint pointer) {
  DockInputs in;
  in.left = left, in.top = top, in.width = 7695, in.height = 5760;
  const int x = TwipsToPixels(left, 96), y = TwipsToPixels(top, 96);
  in.rect = {x, y, x + 513, y + 384};
  in.pointer = pointer;
  in.desktop = {0, 0, 1920, 1080};
  return in;
}

constexpr PixelPoint kAway{1500, 900};

struct Row {
  const char* name;
  DockInputs in;
  Edge edge;
  float value;
  bool show;
};

void ExpectRows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    const DockMove move = DockTick(row.in);
    EXPECT_EQ(move.edge, row.edge) << row.name;
    if (row.edge != Edge::kNone) {
      EXPECT_FLOAT_EQ(move.value, row.value) << row.name;
    }
    EXPECT_EQ(move.show, row.show) << row.name;
  }
}

TEST(DockTickTest, WorkedExampleOnAFullHdScreen) {
  DockInputs at_top = Window(3000, 45, kAway);  // R.top = 3
  DockInputs touching_sliver = Window(3000, -5720, {300, 1});
  ExpectRows({
      {"drag to the top, pointer away: dock", at_top, Edge::kTop, -5720, false},
      {"touch the top sliver: back at -10", touching_sliver, Edge::kTop, -10, true},
      {"pointer stays over: -10 again", Window(3000, -10, {300, 100}), Edge::kTop, -10, true},
      {"pointer leaves the restored window: dock again", Window(3000, -10, kAway), Edge::kTop, -5720, false},
      {"near the right edge, pointer away: dock", Window(21200, 3000, kAway), Edge::kLeft, 28760, false},
      {"touch the right sliver", Window(28760, 3000, {1919, 300}), Edge::kLeft, 21115, true},
  });
  // The sliver left on screen: 40 twips, about 3 pixels at 96 DPI, 4 at 144.
  EXPECT_EQ(TwipsToPixels(-5720, 96) + TwipsToPixels(5760, 96), 3);
  EXPECT_EQ(TwipsToPixels(-5720, 144) + TwipsToPixels(5760, 144), 4);
}

TEST(DockTickTest, EdgeCases) {
  DockInputs minimised = Window(0, 0, kAway);
  minimised.state = WindowState::kMinimized;
  // Partly beyond the left edge: the rectangle spans x -200..313, y 200..584.
  DockInputs on_top_border = Window(-3000, 3000, {100, 200});
  DockInputs one_pixel_in = Window(-3000, 3000, {100, 201});
  DockInputs on_right_border = Window(-3000, 3000, {313, 300});
  DockInputs failed_reads = Window(3000, 3000, {});
  failed_reads.rect = {};
  ExpectRows({
      {"a minimised window never moves", minimised, Edge::kNone, 0, false},
      {"top border pixel counts as away", on_top_border, Edge::kLeft, -7655, false},
      {"one pixel further in counts as over", one_pixel_in, Edge::kLeft, -10, true},
      {"the pixel past the right counts as away", on_right_border, Edge::kLeft, -7655, false},
      {"top wins in the top-left corner", Window(30, 30, kAway), Edge::kTop, -5720, false},
      {"at 0,0 with the pointer over: nothing, not shown", Window(0, 0, {100, 100}), Edge::kNone, 0, false},
      {"at 0,0 with the pointer away: dock at the top", Window(0, 0, kAway), Edge::kTop, -5720, false},
      {"partly beyond the left edge, pointer over", Window(-3000, 3000, {10, 300}), Edge::kLeft, -10, true},
      {"left edge, pointer away: dock left", Window(-10, 3000, kAway), Edge::kLeft, -7655, false},
      {"right edge touching: dock", Window(21105, 3000, kAway), Edge::kLeft, 28760, false},
      {"one pixel inside the right edge: stays", Window(21090, 3000, kAway), Edge::kNone, 0, false},
      {"right edge touching, pointer over", Window(21105, 3000, {1800, 300}), Edge::kLeft, 21115, true},
      {"top and right overhang: only ever the top", Window(22000, -10, {1800, 100}), Edge::kTop, -10, true},
      {"failed reads: zeros dock at the top", failed_reads, Edge::kTop, -5720, false},
  });
}

// Two 1920 x 1080 monitors side by side make a 3840 pixel wide desktop.
TEST(DockTickTest, DocksOnlyBehindTheOuterEdgesOfTheWholeDesktop) {
  auto second_right = [](float left, float top, PixelPoint pointer) {
    DockInputs in = Window(left, top, pointer);
    in.desktop = {0, 0, 3840, 1080};
    return in;
  };
  auto second_left = [](float left, float top, PixelPoint pointer) {
    DockInputs in = Window(left, top, pointer);
    in.desktop = {-1920, 0, 1920, 1080};
    return in;
  };
  ExpectRows({
      {"across the primary screen's right edge: stays", second_right(25000, 3000, kAway), Edge::kNone, 0, false},
      {"on the second monitor: stays", second_right(40000, 3000, kAway), Edge::kNone, 0, false},
      {"at the desktop's right edge: docks", second_right(49905, 3000, kAway), Edge::kLeft, 57560, false},
      {"docked there, touched: back", second_right(57560, 3000, {3839, 300}), Edge::kLeft, 49915, true},
      {"on a monitor left of the primary: stays", second_left(-10000, 3000, {-600, 300}), Edge::kNone, 0, false},
      {"at that monitor's left edge: docks", second_left(-28800, 3000, kAway), Edge::kLeft, -36455, false},
      {"docked there, touched: back", second_left(-36455, 3000, {-1919, 300}), Edge::kLeft, -28810, true},
  });
}

// A laptop at 150 % (2880 x 1620, primary) with a 1920 x 1080 monitor at
// 100 % to its right, or to its left. A window measures itself at the DPI of
// the monitor it is on; the desktop must be measured at the same DPI.
struct Monitors {
  std::vector<Monitor> list;
  PixelRect Bounds() const {
    PixelRect b = list.front().bounds;
    for (const Monitor& m : list) {
      b = {std::min(b.left, m.bounds.left), std::min(b.top, m.bounds.top), std::max(b.right, m.bounds.right),
           std::max(b.bottom, m.bounds.bottom)};
    }
    return b;
  }
  // The monitor sharing most of the window, else the nearest one, as Windows picks it.
  unsigned DpiFor(const PixelRect& r) const {
    long best_area = -1, best_distance = LONG_MAX;
    unsigned dpi = 96;
    for (const Monitor& m : list) {
      const long w = std::min(r.right, m.bounds.right) - std::max(r.left, m.bounds.left);
      const long h = std::min(r.bottom, m.bounds.bottom) - std::max(r.top, m.bounds.top);
      const long area = w > 0 && h > 0 ? w * h : 0;
      const long dx = std::max({0, m.bounds.left - r.right, r.left - m.bounds.right});
      const long dy = std::max({0, m.bounds.top - r.bottom, r.top - m.bounds.bottom});
      if (area > best_area || (area == 0 && best_area == 0 && dx + dy < best_distance)) {
        if (area > 0 || best_area <= 0) dpi = m.dpi;
        best_area = std::max(best_area, area);
        if (area == 0) best_distance = std::min(best_distance, dx + dy);
      }
    }
    return dpi;
  }
};

// The main window as Windows keeps it: pixels, resized when its DPI changes.
struct SimulatedWindow {
  const Monitors& monitors;
  int x, y;
  unsigned dpi = 96;
  SimulatedWindow(const Monitors& m, int x0, int y0) : monitors(m), x(x0), y(y0) { dpi = monitors.DpiFor(Rect()); }
  PixelRect Rect() const {
    return {x, y, x + TwipsToPixels(7695, dpi), y + TwipsToPixels(5760, dpi)};
  }
  DockInputs Inputs(PixelPoint pointer) const {
    const PixelRect r = Rect();
    DockInputs in;
    in.pointer = pointer, in.rect = r, in.dpi = dpi;
    in.left = PixelsToTwips(r.left, dpi), in.top = PixelsToTwips(r.top, dpi);
    in.width = PixelsToTwips(r.right - r.left, dpi), in.height = PixelsToTwips(r.bottom - r.top, dpi);
    in.desktop = monitors.Bounds();
    return in;
  }
  DockMove Tick(PixelPoint pointer) {
    const DockMove move = DockTick(Inputs(pointer));
    if (move.edge == Edge::kTop) y = TwipsToPixels(move.value, dpi);
    if (move.edge == Edge::kLeft) x = TwipsToPixels(move.value, dpi);
    dpi = monitors.DpiFor(Rect());
    return move;
  }
};

const Monitors kLaptopThenExternal{{{{0, 0, 2880, 1620}, 144}, {{2880, 0, 4800, 1080}, 96}}};
const Monitors kExternalThenLaptop{{{{-1920, 0, 0, 1080}, 96}, {{0, 0, 2880, 1620}, 144}}};

TEST(DockTickTest, MonitorsAtDifferentScales) {
  struct Case {
    const char* name;
    const Monitors& monitors;
    int x, y;
    Edge edge;     // where it docks with the pointer away
    int docked;    // the docked x or y, pixels
    int restored;  // the x or y after the pointer touched the sliver
  };
  const Case cases[] = {
      {"laptop, top edge", kLaptopThenExternal, 500, 3, Edge::kTop, -572, -1},
      {"laptop, left edge", kLaptopThenExternal, 2, 300, Edge::kLeft, -766, -1},
      {"laptop, at the monitor between: stays", kLaptopThenExternal, 2880 - 770, 300, Edge::kNone, 2110, 2110},
      {"external, top edge", kLaptopThenExternal, 3500, 2, Edge::kTop, -381, -1},
      {"external, right edge", kLaptopThenExternal, 4800 - 513, 300, Edge::kLeft, 4797, 4288},
      {"external, in the middle: stays", kLaptopThenExternal, 3500, 300, Edge::kNone, 3500, 3500},
      {"left-hand external, left edge", kExternalThenLaptop, -1918, 300, Edge::kLeft, -2430, -1921},
      {"left-hand external, top edge", kExternalThenLaptop, -1000, 0, Edge::kTop, -381, -1},
      {"laptop beside it, right edge", kExternalThenLaptop, 2880 - 770, 300, Edge::kLeft, 2876, 2111},
      {"laptop beside it, its left edge: stays", kExternalThenLaptop, 0, 300, Edge::kNone, 0, 0},
  };
  for (const Case& c : cases) {
    SimulatedWindow w(c.monitors, c.x, c.y);
    const DockMove away = w.Tick({-5000, -5000});
    EXPECT_EQ(away.edge, c.edge) << c.name;
    const bool vertical = c.edge == Edge::kTop;
    EXPECT_EQ(vertical ? w.y : w.x, c.docked) << c.name;
    if (c.edge == Edge::kNone) continue;
    const PixelRect r = w.Rect();
    const PixelPoint sliver = vertical ? PixelPoint{(r.left + r.right) / 2, r.bottom - 1}
                              : c.docked < 0 ? PixelPoint{r.right - 1, (r.top + r.bottom) / 2}
                                             : PixelPoint{r.left + 1, (r.top + r.bottom) / 2};
    const DockMove touched = w.Tick(sliver);
    EXPECT_TRUE(touched.show) << c.name;
    EXPECT_EQ(vertical ? w.y : w.x, c.restored) << c.name;
  }
}

// Any row of monitors at any scales: pointer away, over the sliver, away
// again gives docked, restored, docked, and nothing moves in between.
TEST(DockTickTest, NeverFlipFlopsWhateverTheLayout) {
  std::mt19937 random(20261207);
  const unsigned dpis[] = {96, 120, 144, 168, 192};
  for (int layout = 0; layout < 300; ++layout) {
    Monitors monitors;
    int x = -static_cast<int>(random() % 3) * 1000;
    const int count = 1 + static_cast<int>(random() % 3);
    for (int i = 0; i < count; ++i) {
      const int width = 1280 + static_cast<int>(random() % 2560), height = 900 + static_cast<int>(random() % 1300);
      monitors.list.push_back({{x, 0, x + width, height}, dpis[random() % 5]});
      x += width;
    }
    const PixelRect d = monitors.Bounds();
    const Monitor& first = monitors.list.front();
    const Monitor& last = monitors.list.back();
    const int edge = static_cast<int>(random() % 3);
    const int w_px = TwipsToPixels(7695, last.dpi);
    SimulatedWindow w = edge == 0   ? SimulatedWindow(monitors, first.bounds.left + 100, static_cast<int>(random() % 5))
                        : edge == 1 ? SimulatedWindow(monitors, first.bounds.left + static_cast<int>(random() % 5), 200)
                                    : SimulatedWindow(monitors, d.right - w_px, 200);
    const std::string name = "layout " + std::to_string(layout) + ", edge " + std::to_string(edge);
    const DockMove docked = w.Tick({d.left - 100, d.bottom + 100});
    ASSERT_NE(docked.edge, Edge::kNone) << name;
    const PixelRect r = w.Rect();
    for (int tick = 0; tick < 20; ++tick) {
      w.Tick({d.left - 100, d.bottom + 100});
      ASSERT_EQ(w.Rect().left, r.left) << name;
      ASSERT_EQ(w.Rect().top, r.top) << name;
    }
    // Docked, at most 3 pixels of it (40 twips at up to 192 DPI: 5) on the desktop.
    const int on_desktop = edge == 0 ? r.bottom - d.top : edge == 1 ? r.right - d.left : d.right - r.left;
    ASSERT_GE(on_desktop, 1) << name;
    ASSERT_LE(on_desktop, 6) << name;
    const PixelPoint sliver = edge == 0   ? PixelPoint{(r.left + r.right) / 2, r.bottom - 1}
                              : edge == 1 ? PixelPoint{r.right - 1, (r.top + r.bottom) / 2}
                                          : PixelPoint{r.left + 1, (r.top + r.bottom) / 2};
    ASSERT_TRUE(w.Tick(sliver).show) << name;
    const PixelRect restored = w.Rect();
    const PixelPoint inside{(restored.left + restored.right) / 2, (restored.top + restored.bottom) / 2};
    for (int tick = 0; tick < 20; ++tick) {
      w.Tick(inside);
      ASSERT_EQ(w.Rect().left, restored.left) << name;
      ASSERT_EQ(w.Rect().top, restored.top) << name;
    }
    // Restored: on the desktop but for at most a pixel or two beyond the edge.
    const int beyond = edge == 0 ? d.top - restored.top : edge == 1 ? d.left - restored.left : restored.right - d.right;
    ASSERT_GE(beyond, 0) << name;
    ASSERT_LE(beyond, 2) << name;
    w.Tick({d.left - 100, d.bottom + 100});
    ASSERT_EQ(w.Rect().left, r.left) << name;
    ASSERT_EQ(w.Rect().top, r.top) << name;
  }
}

}  // namespace
}  // namespace quillet
