#pragma once
// The caption label a data-bound control carries beside it. It is owned by
// that control, stored with the control's settings (EditLabel.Caption,
// ComboLabel.LabelSpacing, ...), sits on the control's parent and is placed
// from the control's bounds whenever either changes.
//
// Thread: user-interface thread. Units: pixels in the parent's client area.

#include "orv/platform/Stdctrls.h"

namespace orv::controls {

enum TLabelPosition { lpAbove, lpBelow, lpLeft, lpRight };

struct TLabelPlace {
  int Left = 0;
  int Top = 0;
  bool operator==(const TLabelPlace&) const = default;
};

// Where a label of width w and height h goes beside an owner with bounds
// owner, at distance spacing. For lpLeft and lpRight the spacing runs from
// the owner's left (right) edge to the label's left edge, before the
// alignment shift; halves truncate toward zero.
TLabelPlace PlaceChildLabel(TLabelPosition position, platform::TAlignment alignment, int spacing,
                            const platform::TRect& owner, int w, int h);

class TChildLabel : public platform::TLabel {
 public:
  // owner: the control that carries the label (its focus control when it
  // is windowed). The label is named "ChildLabel" and takes the owner's
  // name as caption.
  explicit TChildLabel(platform::TComponent* owner);
  const char* ClassName() const override { return "TChildLabel"; }

  TLabelPosition LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition value);
  int LabelSpacing() const { return FLabelSpacing; }
  void SetLabelSpacing(int value);
  void SetLabelAlignment(platform::TAlignment value);

  // Width and height keep the label's place; left and top always follow
  // the owner.
  void SetLabelWidth(int value);
  void SetLabelHeight(int value);

  // Size to text, then placement beside the owner.
  void AdjustBounds() override;
  // Places the label beside its owner now.
  void Place();
  // The base click, then the focus goes to the focus control if it can
  // take it now.
  void Click() override;

 private:
  TLabelPosition FLabelPosition = lpLeft;
  int FLabelSpacing = 80;
};

}  // namespace orv::controls
