#include "orv/controls/Childlabel.h"

namespace orv::controls {

using platform::TAlignment;

TLabelPlace PlaceChildLabel(TLabelPosition position, TAlignment alignment, int spacing, const platform::TRect& owner,
                            int w, int h) {
  const int x = owner.Left;
  const int y = owner.Top;
  const int width = owner.Width();
  const int height = owner.Height();
  TLabelPlace p;
  switch (position) {
    case lpAbove:
    case lpBelow:
      p.Left = x;
      if (alignment == platform::taRightJustify) p.Left += width - w;
      if (alignment == platform::taCenter) p.Left += (width - w) / 2;
      p.Top = position == lpAbove ? y - h - spacing : y + height + spacing;
      break;
    case lpLeft:
    case lpRight:
      p.Left = position == lpLeft ? x - spacing : x + width + spacing;
      if (alignment == platform::taRightJustify) p.Left -= w;
      if (alignment == platform::taCenter) p.Left -= w / 2;
      p.Top = y + (height - h) / 2;
      break;
  }
  return p;
}

TChildLabel::TChildLabel(platform::TComponent* owner) : platform::TLabel(owner) {
  SetName("ChildLabel");
  if (owner != nullptr) {
    SetCaption(owner->Name());
    if (auto* control = dynamic_cast<platform::TControl*>(owner); control != nullptr && control->IsWindowed())
      SetFocusControl(static_cast<platform::TWinControl*>(control));
  }
}

void TChildLabel::SetLabelPosition(TLabelPosition value) {
  FLabelPosition = value;
  Place();
}

void TChildLabel::SetLabelSpacing(int value) {
  FLabelSpacing = value;
  Place();
}

void TChildLabel::SetLabelAlignment(TAlignment value) {
  SetAlignment(value);
  Place();
}

void TChildLabel::SetLabelWidth(int value) {
  SetBounds(Left(), Top(), value, Height());
  Place();
}

void TChildLabel::SetLabelHeight(int value) {
  SetBounds(Left(), Top(), Width(), value);
  Place();
}

void TChildLabel::AdjustBounds() {
  platform::TCustomLabel::AdjustBounds();
  Place();
}

void TChildLabel::Place() {
  const auto* owner = dynamic_cast<const platform::TControl*>(Owner());
  if (owner == nullptr) return;
  const TLabelPlace p =
      PlaceChildLabel(FLabelPosition, Alignment(), FLabelSpacing, owner->BoundsRect(), Width(), Height());
  if (p.Left != Left() || p.Top != Top()) SetBounds(p.Left, p.Top, Width(), Height());
}

void TChildLabel::Click() {
  platform::TCustomLabel::Click();
  platform::TWinControl* target = FocusControl();
  if (target != nullptr && target->CanFocus()) target->SetFocus();
}

}  // namespace orv::controls
