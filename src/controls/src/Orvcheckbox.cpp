#include "orv/controls/Orvcheckbox.h"

namespace orv::controls {

bool CheckedForValue(TCheckCondition condition, double conditionValue, double checkedValue, double v) {
  switch (condition) {
    case ccEqualTo:
      return v == conditionValue;
    case ccNotEqualTo:
      return v != conditionValue;
    case ccMinorOf:
      return v < conditionValue;
    case ccGreaterOf:
      return v > conditionValue;
    case ccMaskedBit:
      return static_cast<double>(items::TruncateTowardZero(v) & items::TruncateTowardZero(conditionValue)) ==
             checkedValue;
  }
  return false;
}

int MaskedBitValue(double current, double mask, double wanted) {
  const int a = items::TruncateTowardZero(current);
  const int m = items::TruncateTowardZero(mask);
  const int c = items::TruncateTowardZero(wanted);
  return (a & ~m) | (c & m);
}

TOrvCheckBox::TOrvCheckBox(platform::TComponent* owner) : platform::TCustomCheckBox(owner) {
  FResizer = new TResizer(this, this);
}

TOrvCheckBox::~TOrvCheckBox() {
  SetNumber(nullptr);
  DestroyComponents();
  FResizer = nullptr;
}

void TOrvCheckBox::SetNumber(items::TOrvNumber* item) {
  if (FValue != nullptr) FValue->RemoveNotificationList(this);
  FValue = item;
  if (FValue != nullptr) FValue->AddNotificationList(this);
}

bool TOrvCheckBox::InitData() {
  if (FValue == nullptr) return true;
  FValue->DataValid = false;
  double value = 0.0;
  const bool ok = FValue->GetData(value);
  SetupCheckedState(value);
  return ok;
}

void TOrvCheckBox::SetCheckCondition(TCheckCondition condition) {
  FCondition = condition;
  InitData();
}

void TOrvCheckBox::SetConditionValue(double value) {
  FConditionValue = value;
  InitData();
}

void TOrvCheckBox::SetupCheckedState(double value) {
  if (IsDesigning()) return;
  const bool clicks = ClicksDisabled;
  ClicksDisabled = true;
  SetChecked(CheckedForValue(FCondition, FConditionValue, CheckedValue, value));
  ClicksDisabled = clicks;
}

void TOrvCheckBox::ShowItem() {
  double value = 0.0;
  FValue->GetData(value);
  SetupCheckedState(value);
}

void TOrvCheckBox::Click() {
  platform::TCustomCheckBox::Click();
  // A state read from the description is no user's choice.
  if (FValue == nullptr || IsLoading()) return;
  if (FCondition != ccMaskedBit) {
    const bool limits = FValue->DisableLimits;
    FValue->DisableLimits = true;
    FValue->SetData(Checked() ? CheckedValue : UncheckedValue);
    // The item may have been destroyed by a handler meanwhile.
    if (FValue != nullptr) FValue->DisableLimits = limits;
    return;
  }
  double current = 0.0;
  if (!FValue->GetData(current)) return;
  FValue->SetData(MaskedBitValue(current, FConditionValue, Checked() ? CheckedValue : UncheckedValue));
}

void TOrvCheckBox::WndProc(platform::TMessage& message) {
  switch (message.Msg) {
    case platform::WM_DATACHANGED:
      if (FValue != nullptr) ShowItem();
      return;
    case platform::WM_DATAAVAILABLE:
      if (FValue == nullptr) return;
      FValue->InitData(reinterpret_cast<const std::int32_t*>(message.WParam));
      ShowItem();
      return;
    case platform::WM_COMERROR:
      return;
    default:
      platform::TCustomCheckBox::WndProc(message);
  }
}

void TOrvCheckBox::Notification(platform::TComponent* component, platform::TOperation operation) {
  platform::TCustomCheckBox::Notification(component, operation);
  if (operation != platform::TOperation::opRemove) return;
  if (component == FValue) FValue = nullptr;
  if (component == FResizer) FResizer = nullptr;
}

}  // namespace orv::controls
