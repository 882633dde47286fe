#include "orv/platform/Extctrls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orv/platform/Forms.h"
#include "orv/platform/Stdctrls.h"

namespace orv::platform {
namespace {

TEST(StatusBar, PanelsHoldTextWidthFontAndColour) {
  int panelChanges = 0;
  struct TObs : IControlObserver {
    int* Count = nullptr;
    void ControlChanged(TControl&, TChangeKind k) override {
      if (k == TChangeKind::ckPanels) ++*Count;
    }
    void ControlDestroying(TControl&) override {}
  } obs;
  obs.Count = &panelChanges;
  TStatusBar bar;
  bar.SetWidth(800);
  bar.SetObserver(&obs);
  TStatusPanel& p0 = bar.AddPanel();
  TStatusPanel& p1 = bar.AddPanel();
  p0.SetWidth(500);
  p0.SetText("Centralina non connessa");
  p0.Font().SetColor(255);
  p0.Font().SetStyle(fsBold);
  p1.SetText("PORT: COM3");
  p1.Font().SetColor(32768);
  EXPECT_EQ(bar.PanelCount(), 2);
  EXPECT_EQ(bar.Panels(0).Text(), "Centralina non connessa");
  EXPECT_EQ(bar.Panels(1).Font().Color(), 32768);
  EXPECT_EQ(bar.PanelRect(0), Bounds(0, 0, 500, bar.Height()));
  EXPECT_EQ(bar.PanelRect(1), Bounds(500, 0, 300, bar.Height()));
  EXPECT_EQ(panelChanges, 8);
  EXPECT_THROW(bar.Panels(5), std::out_of_range);
  TStatusPanel* fourth = &bar.EnsurePanel(3);
  EXPECT_EQ(fourth, &bar.Panels(3));
  EXPECT_EQ(bar.PanelCount(), 4);
  bar.SetObserver(nullptr);
}

TEST(ProgressFill, PositionIsClampedAndTheGradientRunsEndToEnd) {
  TProgressFill fill;
  const std::pair<int, int> cases[] = {{40, 40}, {-5, 0}, {100, 100}, {250, 100}};
  for (const auto& [in, out] : cases) {
    fill.SetPosition(in);
    EXPECT_EQ(fill.Position(), out) << in;
  }
  fill.SetGradient(true);
  fill.SetGradientStart(clYellow);
  fill.SetGradientEnd(clRed);
  fill.SetGradientSteps(50);
  EXPECT_EQ(fill.GradientColor(0), clYellow);
  EXPECT_EQ(fill.GradientColor(49), clRed);
  const TColor mid = fill.GradientColor(25);
  EXPECT_EQ(mid & 0xFF, 0xFF);         // red stays
  EXPECT_LT((mid >> 8) & 0xFF, 0xFF);  // green fades
  EXPECT_GT((mid >> 8) & 0xFF, 0);
}

TEST(PageControl, NextPageWrapsAndChangingMayRefuse) {
  TForm form;
  auto* pages = new TPageControl(&form);
  pages->SetParent(&form);
  std::vector<TTabSheet*> sheets;
  for (int i = 0; i < 3; ++i) {
    sheets.push_back(new TTabSheet(&form));
    sheets.back()->SetPageControl(pages);
  }
  EXPECT_EQ(pages->ActivePageIndex(), 0);
  EXPECT_TRUE(sheets[0]->Visible());
  EXPECT_FALSE(sheets[1]->Visible());
  int changes = 0;
  pages->OnChange = [&](TComponent*) { ++changes; };
  pages->SetActivePageIndex(2);
  pages->SelectNextPage(true);
  EXPECT_EQ(pages->ActivePageIndex(), 0);
  pages->SelectNextPage(false);
  EXPECT_EQ(pages->ActivePageIndex(), 2);
  sheets[0]->SetTabVisible(false);
  pages->SelectNextPage(true);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_EQ(changes, 3);
  pages->OnChanging = [](TComponent*, bool& allow) { allow = false; };
  pages->SelectNextPage(true);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  // Controls on hidden sheets cannot take the focus.
  auto* edit = new TEdit(&form);
  edit->SetParent(sheets[2]);
  EXPECT_FALSE(edit->CanFocus());
  delete sheets[1];
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_NE(pages->ActivePage(), nullptr);
}

TEST(ScrollBox, VerticalBarShowsWhenTheButtonsDoNotFit) {
  TScrollBox box;
  box.SetBounds(0, 0, 66, 300);
  box.VertScrollBar().Margin = 20;
  std::vector<TSpeedButton*> buttons;
  auto add = [&](int top) {
    auto* b = new TSpeedButton(&box);
    b->SetBounds(5, top, 55, 55);
    b->SetParent(&box);
  };
  add(20);
  add(95);
  add(170);
  EXPECT_EQ(box.VertRange(), 245);
  EXPECT_FALSE(box.VertScrollBarShowing());
  EXPECT_EQ(box.ClientWidth(), 62);
  add(245);
  EXPECT_TRUE(box.VertScrollBarShowing());
  EXPECT_EQ(box.ClientWidth(), 62 - kScrollBarSize);
}

TEST(Animate, FramesAdvanceOnlyWhilePlaying) {
  TAnimate anim;
  anim.SetFrames(std::vector<TPicture>(5));
  anim.SetStopFrame(23);
  anim.NextFrame();
  EXPECT_EQ(anim.CurrentFrame(), 0);
  anim.Play();
  for (int i = 0; i < 7; ++i) anim.NextFrame();
  EXPECT_EQ(anim.CurrentFrame(), 2);
  anim.Stop();
  EXPECT_EQ(anim.CurrentFrame(), 4);  // the stop frame, clamped to the clip
}

}  // namespace
}  // namespace orv::platform
