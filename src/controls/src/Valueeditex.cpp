#include "orv/controls/Valueeditex.h"

#include <cmath>
#include <string>

#include "orv/platform/Dialogs.h"
#include "orv/platform/NumberText.h"

namespace orv::controls {

namespace {
// Border and inner margin of a one-line field above the font's line height.
constexpr int kEditBorderAllowance = 8;
}  // namespace

TValueEditEx::TValueEditEx(platform::TComponent* owner) : platform::TMemo(owner) {
  SetWantReturns(true);
  SetWordWrap(false);
  SetScrollBars(platform::ssNone);
  SetAlignment(platform::taRightJustify);
  SetTabStop(true);
  SetText("0");
  FEditLabel = new TChildLabel(this);
  FResizer = new TResizer(this, this);
  SetBounds(Left(), Top(), 96, platform::TextMeasurer().TextHeight(Font()) + kEditBorderAllowance);
}

TValueEditEx::~TValueEditEx() {
  SetNumber(nullptr);
  SetNextControl(nullptr);
  SetPrevControl(nullptr);
  // The caption and the resizer call back into the control while they go.
  DestroyComponents();
  FEditLabel = nullptr;
  FResizer = nullptr;
}

// ---------------------------------------------------------------- binding

void TValueEditEx::SetNumber(items::TOrvNumber* item) {
  if (FValue != nullptr) FValue->RemoveNotificationList(this);
  FValue = item;
  if (FValue != nullptr) FValue->AddNotificationList(this);
}

void TValueEditEx::ShowItemValue() {
  if (FValue != nullptr) SetText(platform::FloatToStr(FValue->GetDouble()));
}

bool TValueEditEx::InitData() {
  if (FValue == nullptr) return true;
  FValue->DataValid = false;
  double value = 0.0;
  const bool ok = FValue->GetData(value);
  SetText(platform::FloatToStr(value));
  return ok;
}

bool TValueEditEx::AcquireValue() {
  if (FValue == nullptr) return false;
  const std::optional<double> typed = platform::TryStrToFloat(Text());
  // An overflowing exponent parses to infinity, which is no value either.
  if (!typed || !std::isfinite(*typed)) {
    double value = 0.0;
    FValue->GetData(value);
    SetText(platform::FloatToStr(value));
    return false;
  }
  return FValue->SetData(*typed);
}

void TValueEditEx::RunEnterAction() {
  if (AcquireValue()) {
    FocusNextControl();
    return;
  }
  platform::Dialogs().Beep();
  ShowItemValue();
  SelectAll();
}

// ---------------------------------------------------------------- focus chain

void TValueEditEx::SetNextControl(platform::TWinControl* control) {
  if (FNextControl != nullptr && FNextControl != FPrevControl) RemoveFreeNotification(FNextControl);
  FNextControl = control;
  if (control != nullptr) FreeNotification(control);
}

void TValueEditEx::SetPrevControl(platform::TWinControl* control) {
  if (FPrevControl != nullptr && FPrevControl != FNextControl) RemoveFreeNotification(FPrevControl);
  FPrevControl = control;
  if (control != nullptr) FreeNotification(control);
}

void TValueEditEx::FocusNextControl() { MoveFocusAlongChain(*this, FNextControl, true); }
void TValueEditEx::FocusPrevControl() { MoveFocusAlongChain(*this, FPrevControl, false); }

// ---------------------------------------------------------------- data-defined
// aspect

void TValueEditEx::SetDataDefAspect(TDataDefinedAspect aspect) {
  if (aspect == FDataNotDefinedAspect) return;
  if (aspect != ddNone) {
    FDataNotDefinedAspect = aspect;
    // While the description is read the item is always defined; applying
    // that would only undo the visibility designed for the field.
    if (!IsLoading()) RefreshDataDefinitionAspect(FDataDefined);
  } else {
    RefreshDataDefinitionAspect(true);
    FDataNotDefinedAspect = ddNone;
  }
}

void TValueEditEx::RefreshDataDefinitionAspect(bool defined) {
  if (IsDesigning()) return;
  switch (FDataNotDefinedAspect) {
    case ddNone:
      break;
    case ddInvisible:
      SetVisible(defined);
      SetEnabled(true);
      break;
    case ddDisabled:
      SetVisible(true);
      SetEnabled(defined);
      break;
  }
}

// ---------------------------------------------------------------- messages

void TValueEditEx::WndProc(platform::TMessage& message) {
  switch (message.Msg) {
    case platform::WM_DATACHANGED:
      if (FValue == nullptr) return;
      ShowItemValue();
      RefreshDataDefinitionAspect(true);
      FDataDefined = true;
      return;
    case platform::WM_DATAAVAILABLE:
      if (FValue == nullptr) return;
      FValue->InitData(reinterpret_cast<const std::int32_t*>(message.WParam));
      ShowItemValue();
      RefreshDataDefinitionAspect(true);
      FDataDefined = true;
      return;
    case platform::WM_COMERROR:
      if (FValue == nullptr) return;
      if ((message.LParam & items::kStatusUndefined) != 0) {
        RefreshDataDefinitionAspect(false);
        FDataDefined = false;
      }
      return;
    default:
      platform::TMemo::WndProc(message);
  }
}

void TValueEditEx::CMVisibleChanged(platform::TMessage& message) {
  platform::TMemo::CMVisibleChanged(message);
  if (FEditLabel != nullptr) FEditLabel->SetVisible(Visible());
}

void TValueEditEx::Notification(platform::TComponent* component, platform::TOperation operation) {
  platform::TMemo::Notification(component, operation);
  if (operation != platform::TOperation::opRemove) return;
  if (component == FValue) FValue = nullptr;
  if (component == FNextControl) FNextControl = nullptr;
  if (component == FPrevControl) FPrevControl = nullptr;
  if (component == FEditLabel) FEditLabel = nullptr;
  if (component == FResizer) FResizer = nullptr;
}

// ---------------------------------------------------------------- keys and
// focus

void TValueEditEx::KeyPress(char& key) {
  const std::string text = Text();
  const std::string selected = SelText();
  TValueKeyInput in;
  in.Key = key;
  in.Text = text;
  in.SelStart = SelStart();
  in.SelText = selected;
  in.DecimalSeparator = platform::DecimalSeparator();
  in.Bound = FValue != nullptr;
  if (FValue != nullptr) {
    in.Precision = FValue->Precision();
    in.ValueMin = FValue->ValueMin();
    in.ValueMax = FValue->ValueMax();
  }
  const TValueKeyResult result = FilterValueKey(in);
  key = result.Key;
  if (result.EnterAction) RunEnterAction();
  platform::TMemo::KeyPress(key);
}

void TValueEditEx::KeyDown(unsigned short& key, platform::TShiftState shift) {
  switch (key) {
    case platform::VK_ESCAPE:
      ShowItemValue();
      SelectAll();
      break;
    case platform::VK_UP:
      if (ArrowMoveFocus) {
        FocusPrevControl();
        key = 0;
      }
      break;
    case platform::VK_DOWN:
      if (ArrowMoveFocus) {
        FocusNextControl();
        key = 0;
      }
      break;
    default:
      break;
  }
  platform::TMemo::KeyDown(key, shift);
}

void TValueEditEx::DoEnter() {
  platform::TMemo::DoEnter();
  SelectAll();
}

void TValueEditEx::DoExit() {
  if (Validation && FValue != nullptr)
    ShowItemValue();
  else
    AcquireValue();
  platform::TMemo::DoExit();
}

// ---------------------------------------------------------------- caption
// follows

void TValueEditEx::SetBounds(int left, int top, int width, int height) {
  platform::TMemo::SetBounds(left, top, width, height);
  if (FEditLabel != nullptr) FEditLabel->Update();
}

void TValueEditEx::SetParent(platform::TWinControl* parent) {
  platform::TMemo::SetParent(parent);
  if (FEditLabel == nullptr) return;
  FEditLabel->SetParent(parent);
  // A caption beside a hidden field would stand alone; it shows with it.
  FEditLabel->SetVisible(Visible());
  FEditLabel->Place();
}

void TValueEditEx::SetName(const std::string& name) {
  const std::string old = Name();
  platform::TMemo::SetName(name);
  if (IsDesigning() && FEditLabel != nullptr &&
      (FEditLabel->Caption().empty() || platform::SameName(FEditLabel->Caption(), old)))
    FEditLabel->SetCaption(name);
}

}  // namespace orv::controls
