// The wait window's model: progress in 8-bit arithmetic, the percentage
// line, the library's progress message and the screen scaling.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "orv/link/Orvconnection.h"
#include "orv/paramset/Attesa.h"
#include "orv/platform/Screen.h"

namespace orv::paramset {
namespace {

TEST(FormAttesa, SetProgressAbsoluteAndAdded) {
  struct Case {
    int Start;
    int Percent;
    bool Absolute;
    int Expected;
  };
  const Case cases[] = {
      {40, 10, false, 50},  {40, 10, true, 10},  {0, 0, true, 0},      {50, 100, true, 100},
      {90, 5, false, 95},   {98, 2, false, 100}, {90, 20, false, 100},  // past the bar's end the bar stays full
      {0, 200, true, 100},                                              // an absolute value above 100 fills the bar
      {30, 250, false, 24},                                             // 8-bit sum: 280 wraps to 24
  };
  for (const Case& c : cases) {
    TFormAttesa w(nullptr);
    w.SetTextCompleted("completato");
    w.SetProgress(static_cast<std::uint8_t>(c.Start), true);
    w.SetProgress(static_cast<std::uint8_t>(c.Percent), c.Absolute);
    EXPECT_EQ(w.Position(), c.Expected) << c.Start << " " << c.Percent << " " << c.Absolute;
    EXPECT_EQ(w.CompletedText(), std::to_string(c.Expected) + "% completato");
  }
}

TEST(FormAttesa, ZeroShowsZeroPercentAndTheWordAndPaintsAtOnce) {
  TFormAttesa w(nullptr);
  std::vector<bool> paints;
  w.OnPaint = [&](bool all) { paints.push_back(all); };
  w.SetTextCompleted("Completed");
  w.SetProgress(0, true);
  EXPECT_EQ(w.CompletedText(), "0% Completed");
  ASSERT_EQ(paints.size(), 1u);
  EXPECT_FALSE(paints[0]);
  EXPECT_FALSE(w.Visible());
  w.Show();
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(paints.size(), 2u);
}

TEST(FormAttesa, ProgressMessageAddsOrSetsAndRepaintsEverything) {
  TFormAttesa w(nullptr);
  std::vector<bool> paints;
  w.OnPaint = [&](bool all) { paints.push_back(all); };
  w.SetProgress(40, true);
  paints.clear();
  w.Perform(platform::WM_PROGRESS, 10, 1);
  EXPECT_EQ(w.Position(), 50);
  ASSERT_FALSE(paints.empty());
  EXPECT_TRUE(paints.back());
  w.SetProgress(40, true);
  w.Perform(platform::WM_PROGRESS, 10, 0);
  EXPECT_EQ(w.Position(), 10);
  // Only the low 8 bits of the percent count.
  w.Perform(platform::WM_PROGRESS, 0x1000 + 20, 0);
  EXPECT_EQ(w.Position(), 20);
  // Other messages are not progress.
  w.Perform(platform::WM_LINKCHANGED, 0, 1);
  EXPECT_EQ(w.Position(), 20);
}

TEST(FormAttesa, ScalesWithTheScreenWidth) {
  const int width = platform::Screen().Width();
  const int height = platform::Screen().Height();
  platform::Screen().SetSize(1024, 768);
  {
    TFormAttesa w(nullptr);
    EXPECT_EQ(w.ClientWidth(), 342 * 1024 / 800);
    EXPECT_EQ(w.ClientHeight(), 110 * 1024 / 800);
  }
  platform::Screen().SetSize(800, 600);
  {
    TFormAttesa w(nullptr);
    EXPECT_EQ(w.ClientWidth(), 342);
    EXPECT_EQ(w.ClientHeight(), 110);
  }
  platform::Screen().SetSize(width, height);
}

TEST(FormAttesa, OutlivesItsConnection) {
  auto connection = std::make_unique<link::TOrvConnection>();
  TFormAttesa w(nullptr, connection.get());
  connection.reset();
  w.SetProgress(5, true);
  EXPECT_EQ(w.Position(), 5);
}

}  // namespace
}  // namespace orv::paramset
