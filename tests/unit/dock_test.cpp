#include "ui/main/dock.h"

#include <gtest/gtest.h>

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
  in.desktop = {0, 0, 0, 0, 28800};
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
    in.desktop = {0, 0, 0, 0, 57600};
    return in;
  };
  auto second_left = [](float left, float top, PixelPoint pointer) {
    DockInputs in = Window(left, top, pointer);
    in.desktop = {-1920, 0, -28800, 0, 57600};
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

}  // namespace
}  // namespace quillet
