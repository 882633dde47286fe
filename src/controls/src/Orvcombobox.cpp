#include "orv/controls/Orvcombobox.h"

#include <cmath>

namespace orv::controls {

int ComboIndexFromValue(double value, int count) {
  if (!std::isfinite(value)) return -1;
  const int index = items::TruncateTowardZero(value + 0.5);
  return index >= 0 && index < count ? index : -1;
}

TOrvComboBox::TOrvComboBox(platform::TComponent* owner) : platform::TCustomComboBox(owner) {
  SetStyle(platform::csDropDownList);
  FComboLabel = new TChildLabel(this);
  FResizer = new TResizer(this, this);
}

TOrvComboBox::~TOrvComboBox() {
  SetNumber(nullptr);
  SetNextControl(nullptr);
  SetPrevControl(nullptr);
  DestroyComponents();
  FComboLabel = nullptr;
  FResizer = nullptr;
}

void TOrvComboBox::SetNumber(items::TOrvNumber* item) {
  if (FValue != nullptr) FValue->RemoveNotificationList(this);
  FValue = item;
  if (FValue != nullptr) FValue->AddNotificationList(this);
}

void TOrvComboBox::SelectFromValue() {
  if (FValue == nullptr) return;
  double value = 0.0;
  FValue->GetData(value);
  const int index = ComboIndexFromValue(value, ItemCount());
  FSavedIndex = index;
  SetItemIndex(index);
}

bool TOrvComboBox::InitData() {
  if (FValue == nullptr) return true;
  FValue->DataValid = false;
  double value = 0.0;
  const bool ok = FValue->GetData(value);
  FSavedIndex = ComboIndexFromValue(value, ItemCount());
  SetItemIndex(FSavedIndex);
  return ok;
}

void TOrvComboBox::SetNextControl(platform::TWinControl* control) {
  if (FNextControl != nullptr && FNextControl != FPrevControl) RemoveFreeNotification(FNextControl);
  FNextControl = control;
  if (control != nullptr) FreeNotification(control);
}

void TOrvComboBox::SetPrevControl(platform::TWinControl* control) {
  if (FPrevControl != nullptr && FPrevControl != FNextControl) RemoveFreeNotification(FPrevControl);
  FPrevControl = control;
  if (control != nullptr) FreeNotification(control);
}

void TOrvComboBox::FocusNextControl() { MoveFocusAlongChain(*this, FNextControl, true); }
void TOrvComboBox::FocusPrevControl() { MoveFocusAlongChain(*this, FPrevControl, false); }

void TOrvComboBox::WndProc(platform::TMessage& message) {
  switch (message.Msg) {
    case platform::WM_DATACHANGED:
      SelectFromValue();
      return;
    case platform::WM_DATAAVAILABLE:
      if (FValue == nullptr) return;
      FValue->InitData(reinterpret_cast<const std::int32_t*>(message.WParam));
      SelectFromValue();
      return;
    case platform::WM_COMERROR:
      return;
    default:
      platform::TCustomComboBox::WndProc(message);
  }
}

void TOrvComboBox::CMVisibleChanged(platform::TMessage& message) {
  platform::TCustomComboBox::CMVisibleChanged(message);
  if (FComboLabel != nullptr) FComboLabel->SetVisible(Visible());
}

void TOrvComboBox::Notification(platform::TComponent* component, platform::TOperation operation) {
  platform::TCustomComboBox::Notification(component, operation);
  if (operation != platform::TOperation::opRemove) return;
  if (component == FValue) FValue = nullptr;
  if (component == FNextControl) FNextControl = nullptr;
  if (component == FPrevControl) FPrevControl = nullptr;
  if (component == FComboLabel) FComboLabel = nullptr;
  if (component == FResizer) FResizer = nullptr;
}

void TOrvComboBox::DoEnter() {
  FPending = false;
  FSavedIndex = ItemIndex();
  platform::TCustomComboBox::DoEnter();
}

void TOrvComboBox::DoExit() {
  SetDroppedDown(false);
  platform::TCustomComboBox::DoExit();
}

void TOrvComboBox::DropDown() {
  FPending = true;
  platform::TCustomComboBox::DropDown();
}

void TOrvComboBox::Change() {
  platform::TCustomComboBox::Change();
  if (DroppedDown()) return;
  // A choice made with the list closed is committed at once, as if Enter
  // had been typed.
  FPending = true;
  char enter = '\r';
  KeyPress(enter);
}

void TOrvComboBox::KeyPress(char& key) {
  if (key == '\r') {
    if (FPending) {
      FSavedIndex = ItemIndex();
      // No line selected is no value: nothing is written then.
      if (FValue != nullptr && ItemIndex() >= 0) FValue->SetData(static_cast<double>(ItemIndex()));
    } else {
      SetDroppedDown(true);
    }
  }
  // The window's key handler and the search by typed text.
  platform::TCustomComboBox::KeyPress(key);
  FPending = DroppedDown();
  key = 0;
}

void TOrvComboBox::KeyDown(unsigned short& key, platform::TShiftState shift) {
  const bool open = DroppedDown();
  switch (key) {
    case platform::VK_ESCAPE:
      if (open) {
        SetDroppedDown(false);
        FPending = false;
        SetItemIndex(FSavedIndex);
        key = 0;
      }
      break;
    case platform::VK_PRIOR:
    case platform::VK_NEXT:
      if (!open) key = 0;
      break;
    case platform::VK_LEFT:
    case platform::VK_RIGHT:
      key = 0;
      break;
    case platform::VK_UP:
      if (open) {
        if (ItemIndex() == 0 && ItemCount() > 0) {
          UserSelect(ItemCount() - 1);
          key = 0;
        }
      } else if (ArrowMoveFocus) {
        FocusPrevControl();
        key = 0;
      }
      break;
    case platform::VK_DOWN:
      if (open) {
        if (ItemIndex() == ItemCount() - 1 && ItemCount() > 0) {
          UserSelect(0);
          key = 0;
        }
      } else if (ArrowMoveFocus) {
        FocusNextControl();
        key = 0;
      }
      break;
    default:
      break;
  }
  platform::TCustomComboBox::KeyDown(key, shift);
}

void TOrvComboBox::SetBounds(int left, int top, int width, int height) {
  platform::TCustomComboBox::SetBounds(left, top, width, height);
  if (FComboLabel != nullptr) FComboLabel->Update();
}

void TOrvComboBox::SetParent(platform::TWinControl* parent) {
  platform::TCustomComboBox::SetParent(parent);
  if (FComboLabel == nullptr) return;
  FComboLabel->SetParent(parent);
  FComboLabel->SetVisible(Visible());
  FComboLabel->Place();
}

void TOrvComboBox::SetName(const std::string& name) {
  const std::string old = Name();
  platform::TCustomComboBox::SetName(name);
  if (IsDesigning() && FComboLabel != nullptr &&
      (FComboLabel->Caption().empty() || platform::SameName(FComboLabel->Caption(), old)))
    FComboLabel->SetCaption(name);
}

}  // namespace orv::controls
