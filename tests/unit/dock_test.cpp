#include "ui/main/dock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/twips.h"

namespace quillet {
namespace {

using Edge = DockMove::Edge;
constexpr PixelPoint kAway{1500, 900};

using Monitors = std::vector<Monitor>;

// A 513 x 384 pixel window at 96 DPI placed by its twips, on one 1920 x 1080
// monitor unless told otherwise.
DockInputs Window(float left, float top, PixelPoint pointer, Monitors monitors = {{{0, 0, 1920, 1080}, 96}}) {
  DockInputs in;
  in.left = left, in.top = top, in.width = 7695, in.height = 5760;
  const int x = TwipsToPixels(left, 96), y = TwipsToPixels(top, 96);
  in.rect = {x, y, x + 513, y + 384};
  in.pointer = pointer, in.monitors = std::move(monitors);
  return in;
}

TEST(DockTickTest, DocksBehindTheOuterEdgesAndComesBackWhenTouched) {
  DockInputs minimised = Window(0, 0, kAway), failed_reads = Window(3000, 3000, {});
  minimised.state = WindowState::kMinimized;
  failed_reads.rect = {};
  DockInputs summoned_lost = Window(-20000, 3000, kAway);
  summoned_lost.summoned = summoned_lost.active = true;
  const Monitor primary{{0, 0, 1920, 1080}, 96};
  const Monitors two_right{primary, {{1920, 0, 3840, 1080}, 96}}, two_left{primary, {{-1920, 0, 0, 1080}, 96}};
  // The right-hand monitor's top 200 pixels lower.
  const Monitors lower_right{primary, {{1920, 200, 3840, 1280}, 96}};
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
      // Between two monitors nothing docks; at an edge with no monitor beyond it, all along
      // the window, the window docks behind the edge of its own monitor.
      {"across the primary's right edge: stays", Window(25000, 3000, kAway, two_right), Edge::kNone, 0, false},
      {"at the desktop's right edge: docks", Window(49905, 3000, kAway, two_right), Edge::kLeft, 57560, false},
      {"docked there, touched: back", Window(57560, 3000, {3839, 300}, two_right), Edge::kLeft, 49915, true},
      {"at that monitor's left edge: docks", Window(-28800, 3000, kAway, two_left), Edge::kLeft, -36455, false},
      {"at the lower monitor's top: docks", Window(37500, 3030, kAway, lower_right), Edge::kTop, -2720, false},
      {"docked there, touched: back", Window(37500, -2720, {2700, 202}, lower_right), Edge::kTop, 2990, true},
      {"lower top, the other one beyond: stays", Window(27000, 3030, kAway, lower_right), Edge::kNone, 0, false},
      {"higher top, reaching over the lower", Window(25500, 30, kAway, lower_right), Edge::kTop, -5720, false},
      {"that one touched: back", Window(25500, -5720, {1800, 2}, lower_right), Edge::kTop, -10, true},
      // Its monitor unplugged: nothing shows it, and it comes back on the primary.
      {"on no monitor", Window(37500, 3000, kAway), Edge::kToPrimary, 0, true},
      {"on no monitor, summoned and active", summoned_lost, Edge::kToPrimary, 0, true},
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

// A window at pixel x, y measuring itself at `dpi`, the DPI of the monitor it is on.
DockInputs Scaled(int x, int y, unsigned dpi, PixelPoint pointer, Monitors monitors) {
  DockInputs in;
  const int w = TwipsToPixels(7695, dpi), h = TwipsToPixels(5760, dpi);
  in.rect = {x, y, x + w, y + h}, in.dpi = dpi, in.pointer = pointer, in.monitors = std::move(monitors);
  in.left = PixelsToTwips(x, dpi), in.top = PixelsToTwips(y, dpi), in.width = PixelsToTwips(w, dpi),
  in.height = PixelsToTwips(h, dpi);
  return in;
}

// Any row of monitors at any scales, their tops at any heights, the window
// taking the DPI of the monitor it shares most with: pointer away, on the
// sliver, away again gives docked, restored, docked, and nothing moves in
// between (20 ticks each). It docks at the top of the highest monitor, the
// left of the first or the right of the last.
TEST(DockTickTest, NeverFlipFlopsWhateverTheLayout) {
  std::mt19937 random(20261207);
  const unsigned dpis[] = {96, 120, 144, 168, 192};
  for (int layout = 0; layout < 300; ++layout) {
    Monitors monitors;
    for (int i = 0, x = -static_cast<int>(random() % 3) * 1000, n = 1 + static_cast<int>(random() % 3); i < n; ++i) {
      const int w = 1280 + static_cast<int>(random() % 2560);
      const int top = layout % 2 == 0 ? 0 : static_cast<int>(random() % 1400) - 700;
      monitors.push_back({{x, top, x + w, top + 900 + static_cast<int>(random() % 1300)}, dpis[random() % 5]});
      x += w;
    }
    PixelRect d = monitors.front().bounds;  // around them all
    for (const Monitor& m : monitors) {
      d = {d.left, std::min(d.top, m.bounds.top), m.bounds.right, std::max(d.bottom, m.bounds.bottom)};
    }
    const auto dpi_of = [&](const PixelRect& r) {
      long best = -1;
      unsigned dpi = 96;
      for (const auto& [m, m_dpi] : monitors) {
        const long area = std::max(0, std::min(r.right, m.right) - std::max(r.left, m.left)) *
                          static_cast<long>(std::max(0, std::min(r.bottom, m.bottom) - std::max(r.top, m.top)));
        if (area > best) best = area, dpi = m_dpi;
      }
      return dpi;
    };
    const int edge = static_cast<int>(random() % 3);
    const PixelRect t = edge == 0 ? std::min_element(monitors.begin(), monitors.end(),
                                                     [](auto& a, auto& b) { return a.bounds.top < b.bounds.top; })
                                        ->bounds
                        : edge == 1 ? monitors.front().bounds
                                    : monitors.back().bounds;
    int x = edge == 0   ? t.left + 100
            : edge == 1 ? t.left + static_cast<int>(random() % 5)
                        : t.right - TwipsToPixels(7695, monitors.back().dpi);
    int y = t.top + (edge == 0 ? static_cast<int>(random() % 5) : 200);
    unsigned dpi = dpi_of({x, y, x + 1, y + 1});
    const auto tick = [&](PixelPoint pointer) {
      DockInputs in = Scaled(x, y, dpi, pointer, monitors);
      const DockMove move = DockTick(in);
      if (move.edge == Edge::kTop) y = TwipsToPixels(move.value, dpi);
      if (move.edge == Edge::kLeft) x = TwipsToPixels(move.value, dpi);
      dpi = dpi_of(Scaled(x, y, dpi, pointer, monitors).rect);  // as WM_DPICHANGED resizes it
      return move;
    };
    const std::string name = "layout " + std::to_string(layout) + ", edge " + std::to_string(edge);
    const PixelPoint away{d.left - 100, d.bottom + 100};
    ASSERT_NE(tick(away).edge, Edge::kNone) << name;
    const int docked_x = x, docked_y = y;
    const PixelRect r = Scaled(x, y, dpi, away, monitors).rect;
    for (int i = 0; i < 20; ++i) tick(away);
    ASSERT_TRUE(x == docked_x && y == docked_y) << name;
    const int on_screen = edge == 0 ? r.bottom - t.top : edge == 1 ? r.right - t.left : t.right - r.left;
    ASSERT_TRUE(on_screen >= 1 && on_screen <= 6) << name << ": " << on_screen << " pixels left on screen";
    const PixelPoint sliver = edge == 0   ? PixelPoint{(r.left + r.right) / 2, r.bottom - 1}
                              : edge == 1 ? PixelPoint{r.right - 1, (r.top + r.bottom) / 2}
                                          : PixelPoint{r.left + 1, (r.top + r.bottom) / 2};
    ASSERT_TRUE(tick(sliver).show) << name;
    const int shown_x = x, shown_y = y;
    const PixelRect back = Scaled(x, y, dpi, away, monitors).rect;
    for (int i = 0; i < 20; ++i) tick({(back.left + back.right) / 2, (back.top + back.bottom) / 2});
    ASSERT_TRUE(x == shown_x && y == shown_y) << name;
    const int beyond = edge == 0 ? t.top - back.top : edge == 1 ? t.left - back.left : back.right - t.right;
    ASSERT_TRUE(beyond >= 0 && beyond <= 2) << name << ": " << beyond << " pixels beyond the edge";
    tick(away);
    ASSERT_TRUE(x == docked_x && y == docked_y) << name;
  }
}

}  // namespace
}  // namespace quillet
