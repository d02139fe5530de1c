#include "ui/main/dock.h"

#include <gtest/gtest.h>


#include "platform/twips.h"

namespace quillet {
namespace {

using Edge = DockMove::Edge;
constexpr PixelPoint kAway{1500, 900};

// A 513 x 384 pixel window at 96 DPI placed by its twips, on a desktop of one
// 1920 x 1080 screen unless told otherwise.
DockInputs Window(float left, float top, PixelPoint pointer, PixelRect desktop = {0, 0, 1920, 1080}) {
  DockInputs in;
  in.left = left, in.top = top, in.width = 7695, in.height = 5760;
  const int x = TwipsToPixels(left, 96), y = TwipsToPixels(top, 96);
  in.rect = {x, y, x + 513, y + 384};
  in.pointer = pointer, in.desktop = desktop;
  return in;
}

TEST(DockTickTest, DocksBehindTheOuterEdgesAndComesBackWhenTouched) {
  DockInputs minimised = Window(0, 0, kAway), failed_reads = Window(3000, 3000, {});
  minimised.state = WindowState::kMinimized;
  failed_reads.rect = {};
  const PixelRect two_right{0, 0, 3840, 1080}, two_left{-1920, 0, 1920, 1080};
  const struct {
    const char* name;
    DockInputs in;
    Edge edge;
    float value;
    bool show;
  } rows[] = {
      {"at the top, pointer away: dock", Window(3000, 45, kAway), Edge::kTop, -5720, false},
      {"top sliver touched: back at -10", Window(3000, -5720, {300, 1}), Edge::kTop, -10, true},
      {"near the right edge: dock", Window(21200, 3000, kAway), Edge::kLeft, 28760, false},
      {"right sliver touched", Window(28760, 3000, {1919, 300}), Edge::kLeft, 21115, true},
      {"left edge: dock left", Window(-10, 3000, kAway), Edge::kLeft, -7655, false},
      {"at 0,0 with the pointer over: nothing", Window(0, 0, {100, 100}), Edge::kNone, 0, false},
      {"top and right overhang: only the top", Window(22000, -10, {1800, 100}), Edge::kTop, -10, true},
      {"a minimised window never moves", minimised, Edge::kNone, 0, false},
      {"failed reads: zeros dock at the top", failed_reads, Edge::kTop, -5720, false},
      // Partly beyond the left edge: the window spans x -200..313, y 200..584,
      // and only the pixels strictly inside its border count as over it.
      {"one pixel inside: over", Window(-3000, 3000, {-199, 583}), Edge::kLeft, -10, true},
      {"top border row: away", Window(-3000, 3000, {100, 200}), Edge::kLeft, -7655, false},
      {"bottom border row: away", Window(-3000, 3000, {100, 584}), Edge::kLeft, -7655, false},
      {"left border column: away", Window(-3000, 3000, {-200, 300}), Edge::kLeft, -7655, false},
      {"right border column: away", Window(-3000, 3000, {313, 300}), Edge::kLeft, -7655, false},
      // Two monitors make one desktop: only its outer edges dock.
      {"across the primary's right edge: stays", Window(25000, 3000, kAway, two_right), Edge::kNone, 0, false},
      {"at the desktop's right edge: docks", Window(49905, 3000, kAway, two_right), Edge::kLeft, 57560, false},
      {"docked there, touched: back", Window(57560, 3000, {3839, 300}, two_right), Edge::kLeft, 49915, true},
      {"at that monitor's left edge: docks", Window(-28800, 3000, kAway, two_left), Edge::kLeft, -36455, false},
  };
  for (const auto& row : rows) {
    const DockMove move = DockTick(row.in);
    EXPECT_EQ(move.edge, row.edge) << row.name;
    if (row.edge != Edge::kNone) {
      EXPECT_FLOAT_EQ(move.value, row.value) << row.name;
    }
    EXPECT_EQ(move.show, row.show) << row.name;
  }
}

// A laptop at 150 % (primary, 2880 x 1620) with a 100 % monitor to its right.
// A window measures itself at the DPI of the monitor it is on, and the desktop
// must be measured at that same DPI, whichever monitor it is.
DockInputs Scaled(int x, int y, unsigned dpi, PixelPoint pointer) {
  DockInputs in;
  const int w = TwipsToPixels(7695, dpi), h = TwipsToPixels(5760, dpi);
  in.rect = {x, y, x + w, y + h}, in.dpi = dpi, in.pointer = pointer, in.desktop = {0, 0, 4800, 1620};
  in.left = PixelsToTwips(x, dpi), in.top = PixelsToTwips(y, dpi), in.width = PixelsToTwips(w, dpi), in.height = PixelsToTwips(h, dpi);
  return in;
}

TEST(DockTickTest, MonitorsAtDifferentScales) {
  const struct {
    const char* name;
    DockInputs in;
    Edge edge;
    int pixel;  // the docked x or y at the window's DPI
  } rows[] = {
      {"laptop, top edge", Scaled(500, 3, 144, {-5000, -5000}), Edge::kTop, -572},
      {"laptop, left edge", Scaled(2, 300, 144, {-5000, -5000}), Edge::kLeft, -766},
      {"laptop, at the monitor between: stays", Scaled(2880 - 770, 300, 144, {-5000, -5000}), Edge::kNone, 0},
      {"external, right edge", Scaled(4800 - 513, 300, 96, {-5000, -5000}), Edge::kLeft, 4797},
      {"external, touched on its sliver", Scaled(4797, 300, 96, {4798, 400}), Edge::kLeft, 4288},
      {"external, in the middle: stays", Scaled(3500, 300, 96, {-5000, -5000}), Edge::kNone, 0},
  };
  for (const auto& row : rows) {
    const DockMove move = DockTick(row.in);
    EXPECT_EQ(move.edge, row.edge) << row.name;
    if (row.edge != Edge::kNone) {
      EXPECT_EQ(TwipsToPixels(move.value, row.in.dpi), row.pixel) << row.name;
    }
  }
}

}  // namespace
}  // namespace quillet
