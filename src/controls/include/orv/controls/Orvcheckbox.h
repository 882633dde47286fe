#pragma once
// The data-bound check box: checked is a condition on a number item's user
// value (equal, not equal, below, above a value, or a bit mask); toggling it
// writes the checked or unchecked value, or sets or clears the masked bits.
// Showing a value never writes it back.
//
// Thread: user-interface thread. Ownership: the resizer is owned; the item
// is a non-owning reference cleared by a destruction notice.

#include "orv/controls/Resizer.h"
#include "orv/items/Serialdata.h"
#include "orv/platform/Stdctrls.h"

namespace orv::controls {

enum TCheckCondition { ccEqualTo, ccNotEqualTo, ccMinorOf, ccGreaterOf, ccMaskedBit };

// Whether value v shows the box checked.
bool CheckedForValue(TCheckCondition condition, double conditionValue, double checkedValue, double v);
// The value a masked-bit box writes: current's bits outside mask, with the
// bits of wanted inside it (all truncated to integers).
int MaskedBitValue(double current, double mask, double wanted);

class TOrvCheckBox : public platform::TCustomCheckBox {
 public:
  explicit TOrvCheckBox(platform::TComponent* owner = nullptr);
  ~TOrvCheckBox() override;
  const char* ClassName() const override { return "TOrvCheckBox"; }

  items::TOrvNumber* Value() const { return FValue; }
  void SetNumber(items::TOrvNumber* item);
  // Unbound: true. Otherwise re-reads the item, shows its state and
  // answers whether the read succeeded.
  bool InitData();

  TCheckCondition Condition() const { return FCondition; }
  void SetCheckCondition(TCheckCondition condition);
  double ConditionValue() const { return FConditionValue; }
  void SetConditionValue(double value);
  double CheckedValue = 1.0;
  double UncheckedValue = 0.0;

  TResizer* Resizer() const { return FResizer; }

  // Sets the box from a value with the click event off.
  void SetupCheckedState(double value);

  // The user toggled the box: the base click, then the write.
  void Click() override;

 protected:
  void WndProc(platform::TMessage& message) override;
  void Notification(platform::TComponent* component, platform::TOperation operation) override;

 private:
  void ShowItem();

  items::TOrvNumber* FValue = nullptr;
  TResizer* FResizer = nullptr;
  TCheckCondition FCondition = ccNotEqualTo;
  double FConditionValue = 0.0;
};

}  // namespace orv::controls
