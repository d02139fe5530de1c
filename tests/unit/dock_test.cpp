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

// A 513 x 384 pixel window (7695 x 5760 twips at 96 DPI) at pixel x, y,
// measuring itself at `dpi`, the DPI of the monitor it is on.
DockInputs At(int x, int y, PixelPoint pointer, Monitors monitors = {{{0, 0, 1920, 1080}, 96}}, unsigned dpi = 96) {
  DockInputs in;
  const int w = TwipsToPixels(7695, dpi), h = TwipsToPixels(5760, dpi);
  in.rect = {x, y, x + w, y + h}, in.dpi = dpi, in.pointer = pointer, in.monitors = std::move(monitors);
  in.left = PixelsToTwips(x, dpi), in.top = PixelsToTwips(y, dpi), in.width = PixelsToTwips(w, dpi),
  in.height = PixelsToTwips(h, dpi);
  return in;
}

// Where docking and restoring pick their edge and monitor. Every docking at an
// open edge and every restore is also swept by the property test below.
TEST(DockTickTest, DocksBehindTheOuterEdgesOfItsOwnMonitorOnly) {
  DockInputs minimised = At(0, 0, kAway), failed_reads = At(200, 200, {});
  minimised.state = WindowState::kMinimized;
  failed_reads.rect = {};
  DockInputs summoned_lost = At(-1333, 200, kAway);
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
      {"top and right overhang: only the top", At(1467, -1, {1800, 100}), Edge::kTop, -10, true},
      {"a minimised window never moves", minimised, Edge::kNone, 0, false},
      {"failed reads: zeros dock at the top", failed_reads, Edge::kTop, -5720, false},
      // Between two monitors nothing docks; at an edge with no monitor beyond it, all along
      // the window, the window docks behind the edge of its own monitor.
      {"across the primary's right edge: stays", At(1667, 200, kAway, two_right), Edge::kNone, 0, false},
      {"at the other monitor's left edge: docks", At(-1920, 200, kAway, two_left), Edge::kLeft, -36455, false},
      {"at the lower monitor's top: docks", At(2500, 202, kAway, lower_right), Edge::kTop, -2720, false},
      {"lower top, the other one beyond: stays", At(1800, 202, kAway, lower_right), Edge::kNone, 0, false},
      {"higher top, reaching over the lower", At(1700, 2, kAway, lower_right), Edge::kTop, -5720, false},
      // Its monitor unplugged: nothing shows it, and it comes back on the primary.
      {"on no monitor", At(2500, 200, kAway), Edge::kToPrimary, 0, true},
      {"on no monitor, summoned and active", summoned_lost, Edge::kToPrimary, 0, true},
  };
  for (const auto& row : rows) {
    const DockMove move = DockTick(row.in);
    EXPECT_TRUE(move.edge == row.edge && move.value == row.value && move.show == row.show)
        << row.name << ": " << static_cast<int>(move.edge) << " " << move.value << " " << move.show;
  }
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
    const auto highest = std::ranges::min_element(monitors, {}, [](const Monitor& m) { return m.bounds.top; });
    const PixelRect t = (edge == 0 ? *highest : edge == 1 ? monitors.front() : monitors.back()).bounds;
    int x = edge == 0   ? t.left + 100
            : edge == 1 ? t.left + static_cast<int>(random() % 5)
                        : t.right - TwipsToPixels(7695, monitors.back().dpi);
    int y = t.top + (edge == 0 ? static_cast<int>(random() % 5) : 200);
    unsigned dpi = dpi_of({x, y, x + 1, y + 1});
    const auto tick = [&](PixelPoint pointer) {
      const DockMove move = DockTick(At(x, y, pointer, monitors, dpi));
      if (move.edge == Edge::kTop) y = TwipsToPixels(move.value, dpi);
      if (move.edge == Edge::kLeft) x = TwipsToPixels(move.value, dpi);
      dpi = dpi_of(At(x, y, pointer, monitors, dpi).rect);  // as WM_DPICHANGED resizes it
      return move;
    };
    SCOPED_TRACE("layout " + std::to_string(layout) + ", edge " + std::to_string(edge));
    const PixelPoint away{-100000, 100000};  // beyond every monitor
    ASSERT_NE(tick(away).edge, Edge::kNone);
    const int docked_x = x, docked_y = y;
    const PixelRect r = At(x, y, away, monitors, dpi).rect;
    for (int i = 0; i < 20; ++i) tick(away);
    ASSERT_TRUE(x == docked_x && y == docked_y);
    const int on_screen = edge == 0 ? r.bottom - t.top : edge == 1 ? r.right - t.left : t.right - r.left;
    ASSERT_TRUE(on_screen >= 1 && on_screen <= 6) << on_screen << " pixels left on screen";
    const PixelPoint sliver = edge == 0   ? PixelPoint{(r.left + r.right) / 2, r.bottom - 1}
                              : edge == 1 ? PixelPoint{r.right - 1, (r.top + r.bottom) / 2}
                                          : PixelPoint{r.left + 1, (r.top + r.bottom) / 2};
    ASSERT_TRUE(tick(sliver).show);
    const int shown_x = x, shown_y = y;
    const PixelRect back = At(x, y, away, monitors, dpi).rect;
    for (int i = 0; i < 20; ++i) tick({(back.left + back.right) / 2, (back.top + back.bottom) / 2});
    ASSERT_TRUE(x == shown_x && y == shown_y);
    const int beyond = edge == 0 ? t.top - back.top : edge == 1 ? t.left - back.left : back.right - t.right;
    ASSERT_TRUE(beyond >= 0 && beyond <= 2) << beyond << " pixels beyond the edge";
    tick(away);
    ASSERT_TRUE(x == docked_x && y == docked_y);
  }
}

}  // namespace
}  // namespace quillet
