#pragma once
// The run-time move and resize settings every data-bound control carries as
// its sub-component "Resizer". It starts locked and, while locked, changes
// nothing: it only holds the four settings the window descriptions store.
//
// Thread: user-interface thread. Ownership: owned by its control.

#include "orv/platform/Component.h"

namespace orv::controls {

// Which drags a resizer offers (bit i is the i-th kind).
enum TResizingKind : unsigned { raVertical = 1u << 0, raHorizontal = 1u << 1, raCorner = 1u << 2, raMove = 1u << 3 };
using TResizingMode = unsigned;

class TResizer : public platform::TComponent {
 public:
  // target: the control moved and resized (may be nullptr).
  TResizer(platform::TComponent* owner, platform::TComponent* target);
  const char* ClassName() const override { return "TResizer"; }

  int ResizingBorder() const { return FResizingBorder; }  // pixels
  void SetResizingDistance(int value) { FResizingBorder = value; }
  TResizingMode ResizingMode() const { return FResizingMode; }
  void SetResizingMode(TResizingMode value) { FResizingMode = value; }
  int GridDimension() const { return FGridDimension; }  // pixels
  void SetGridSpacing(int value) { FGridDimension = value; }
  bool FixDblClick() const { return FFixDblClick; }
  void SetFixDblClick(bool value) { FFixDblClick = value; }

  bool Locked() const { return FLocked; }
  void SetLockControl(bool lock) { FLocked = lock; }
  platform::TComponent* Target() const { return FTarget; }

 protected:
  void Notification(platform::TComponent* component, platform::TOperation operation) override;

 private:
  platform::TComponent* FTarget = nullptr;
  int FResizingBorder = 8;
  TResizingMode FResizingMode = raHorizontal | raMove;
  int FGridDimension = 10;
  bool FFixDblClick = true;
  bool FLocked = true;
};

}  // namespace orv::controls
