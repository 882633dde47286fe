#include "orv/controls/Childlabel.h"

#include <gtest/gtest.h>

namespace orv::controls {
namespace {

using platform::taCenter;
using platform::taLeftJustify;
using platform::taRightJustify;

struct PlaceCase {
  TLabelPosition Position;
  platform::TAlignment Alignment;
  int Spacing;
  TLabelPlace Expected;
};

// Owner at 586, 96, 90 x 24; label 40 x 16.
const PlaceCase kPlaceCases[] = {
    {lpLeft, taLeftJustify, 550, {36, 100}},  {lpLeft, taRightJustify, 550, {-4, 100}},
    {lpLeft, taCenter, 550, {16, 100}},       {lpRight, taLeftJustify, 5, {681, 100}},
    {lpRight, taRightJustify, 5, {641, 100}}, {lpRight, taCenter, 5, {661, 100}},
    {lpAbove, taLeftJustify, 3, {586, 77}},   {lpAbove, taRightJustify, 3, {636, 77}},
    {lpAbove, taCenter, 3, {611, 77}},        {lpBelow, taLeftJustify, 3, {586, 123}},
    {lpBelow, taRightJustify, 3, {636, 123}}, {lpBelow, taCenter, 3, {611, 123}},
};

TEST(ChildLabelPlacement, EveryPositionAndAlignment) {
  const platform::TRect owner = platform::Bounds(586, 96, 90, 24);
  for (const PlaceCase& c : kPlaceCases) {
    EXPECT_EQ(PlaceChildLabel(c.Position, c.Alignment, c.Spacing, owner, 40, 16), c.Expected)
        << "position " << c.Position << " alignment " << c.Alignment;
  }
}

TEST(ChildLabelPlacement, HalvesTruncateTowardZero) {
  // (23 - 16) / 2 = 3; centred left minus 41 / 2 = 20.
  const platform::TRect owner = platform::Bounds(100, 10, 90, 23);
  EXPECT_EQ(PlaceChildLabel(lpLeft, taCenter, 50, owner, 41, 16), (TLabelPlace{30, 13}));
  // A label higher than its owner sits above the owner's top.
  EXPECT_EQ(PlaceChildLabel(lpRight, taLeftJustify, 0, owner, 10, 30), (TLabelPlace{190, 7}));
}

TEST(ChildLabel, PlacesItselfBesideItsOwnerWhenSettingsChange) {
  platform::TEdit owner;
  owner.SetName("Speed");
  owner.SetBounds(586, 96, 90, 24);
  auto* label = new TChildLabel(&owner);
  EXPECT_EQ(label->Caption(), "Speed");
  EXPECT_EQ(label->FocusControl(), &owner);
  label->SetAutoSize(false);
  label->SetLabelWidth(40);
  label->SetLabelHeight(16);
  label->SetLabelSpacing(550);
  EXPECT_EQ(label->Left(), 36);
  EXPECT_EQ(label->Top(), 100);
  label->SetLabelPosition(lpBelow);
  EXPECT_EQ(label->Left(), 586);
  EXPECT_EQ(label->Top(), 96 + 24 + 550);
  label->SetLabelSpacing(3);
  label->SetLabelAlignment(taRightJustify);
  EXPECT_EQ(label->Left(), 636);
  EXPECT_EQ(label->Top(), 123);
  // Width keeps the placement rule.
  label->SetLabelWidth(60);
  EXPECT_EQ(label->Left(), 616);
}

TEST(ChildLabel, SizeFollowsTheTextAndThePlaceFollows) {
  platform::TEdit owner;
  owner.SetBounds(200, 40, 90, 24);
  auto* label = new TChildLabel(&owner);
  label->SetLabelPosition(lpLeft);
  label->SetLabelAlignment(taRightJustify);
  label->SetLabelSpacing(5);
  label->SetCaption("A longer caption");
  const int w = label->Width();
  EXPECT_EQ(w, platform::TextMeasurer().TextWidth(label->Font(), "A longer caption"));
  EXPECT_EQ(label->Left(), 200 - 5 - w);
}

TEST(ChildLabel, WithoutWindowedOwnerHasNoFocusControl) {
  platform::TLabel owner;
  auto* label = new TChildLabel(&owner);
  EXPECT_EQ(label->FocusControl(), nullptr);
  label->Click();  // nothing to focus, nothing happens
  TChildLabel orphan(nullptr);
  orphan.SetLabelSpacing(10);
  EXPECT_EQ(orphan.Left(), 0);
}

}  // namespace
}  // namespace orv::controls
