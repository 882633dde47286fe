#include "orv/platform/Scaling.h"

#include <gtest/gtest.h>

#include "orv/platform/Extctrls.h"
#include "orv/platform/Forms.h"
#include "orv/platform/Stdctrls.h"

namespace orv::platform {
namespace {

TEST(ScaleValue, TruncatesTowardZero) {
  struct TCase {
    int Value, M, D, Expected;
  };
  const TCase cases[] = {
      {550, 1024, 800, 704}, {97, 1024, 800, 124}, {13, 1024, 800, 16}, {113, 1024, 800, 144},
      {550, 640, 800, 440},  {97, 640, 800, 77},   {13, 640, 800, 10},  {-5, 1024, 800, -6},
      {-7, 640, 800, -5},    {0, 1024, 800, 0},    {42, 800, 800, 42},
  };
  for (const TCase& c : cases) EXPECT_EQ(ScaleValue(c.Value, c.M, c.D), c.Expected) << c.Value << " " << c.M;
}

struct TScaledForm {
  TForm Form;
  TPanel* Panel = new TPanel(&Form);
  TEdit* Edit = new TEdit(&Form);
  TLabel* Label = new TLabel(&Form);
  TStatusBar* Bar = new TStatusBar(&Form);

  TScaledForm() {
    Form.SetClientWidth(800);
    Form.SetClientHeight(572);
    Form.Font().SetPixels(13);
    Panel->SetParent(&Form);
    Panel->SetBounds(17, 16, 750, 97);
    Edit->SetParent(Panel);
    Edit->SetBounds(586, 96, 90, 24);
    Label->SetParent(&Form);
    Label->SetAutoSize(false);
    Label->SetBounds(48, 113, 113, 46);
    Label->Font().SetPixels(27);
    Bar->SetParent(&Form);
    Bar->SetHeight(30);
    Bar->AddPanel().SetWidth(500);
    Bar->Panels(0).Font().SetPixels(16);
  }
};

TEST(ScaleForm, PositionsSizesAndFontsFollowTheScreenWidth) {
  struct TCase {
    int Screen;
    TRect Panel, Edit, Label;
    int FormFont, LabelFont, ClientWidth, BarHeight, PanelWidth, PanelFont;
  };
  const TCase cases[] = {
      {1024, Bounds(21, 20, 960, 124), Bounds(750, 122, 115, 30), Bounds(61, 144, 144, 58), 16, 34, 1024, 38, 640, 20},
      {640, Bounds(13, 12, 600, 77), Bounds(468, 76, 72, 19), Bounds(38, 90, 90, 36), 10, 21, 640, 24, 400, 12},
      {800, Bounds(17, 16, 750, 97), Bounds(586, 96, 90, 24), Bounds(48, 113, 113, 46), 13, 27, 800, 30, 500, 16},
  };
  for (const TCase& c : cases) {
    TScaledForm f;
    ScaleForm(f.Form, c.Screen);
    EXPECT_EQ(f.Panel->BoundsRect(), c.Panel) << c.Screen;
    EXPECT_EQ(f.Edit->BoundsRect(), c.Edit) << c.Screen;
    EXPECT_EQ(f.Label->BoundsRect(), c.Label) << c.Screen;
    EXPECT_EQ(f.Form.Font().Pixels(), c.FormFont) << c.Screen;
    EXPECT_EQ(f.Edit->Font().Pixels(), c.FormFont) << c.Screen;  // follows the form's font
    EXPECT_EQ(f.Label->Font().Pixels(), c.LabelFont) << c.Screen;
    EXPECT_EQ(f.Form.ClientWidth(), c.ClientWidth) << c.Screen;
    EXPECT_EQ(f.Bar->Height(), c.BarHeight) << c.Screen;
    EXPECT_EQ(f.Bar->Top(), f.Form.ClientHeight() - c.BarHeight) << c.Screen;  // still at the bottom
    EXPECT_EQ(f.Bar->Panels(0).Width(), c.PanelWidth) << c.Screen;
    EXPECT_EQ(f.Bar->Panels(0).Font().Pixels(), c.PanelFont) << c.Screen;
  }
}

TEST(ScaleForm, NothingHappensForAnUnknownWidth) {
  TScaledForm f;
  ScaleForm(f.Form, 0);
  ScaleForm(f.Form, -1024);
  EXPECT_EQ(f.Panel->BoundsRect(), Bounds(17, 16, 750, 97));
}

}  // namespace
}  // namespace orv::platform
