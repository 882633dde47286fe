#include "orv/controls/Orvlabel.h"

#include <cmath>
#include <vector>

#include "orv/items/Vectordata.h"
#include "orv/platform/NumberText.h"

namespace orv::controls {

std::string VectorText(int length, const std::function<bool(int index, double& value)>& element) {
  if (length <= 0) return std::string();
  // One more byte than elements keeps the text terminated.
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  for (int i = 0; i < length; ++i) {
    double value = 0.0;
    if (element(i, value) && std::isfinite(value))
      buffer[static_cast<std::size_t>(i)] = static_cast<char>(items::TruncateTowardZero(value + 0.5));
  }
  return std::string(buffer.data());
}

namespace {
bool IsFlagStyle(TLabelStyle style) { return style == lsFlag || style == lsLabeledFlag; }
bool IsLabeledStyle(TLabelStyle style) { return style == lsLabeledValue || style == lsLabeledFlag; }
}  // namespace

TOrvLabel::TOrvLabel(platform::TComponent* owner) : platform::TLabel(owner) {
  FOnColor = Font().Color();
  FOffColor = Font().Color();
  FChildLabel = new TChildLabel(this);
  FResizer = new TResizer(this, this);
  UpdateLabelState();
}

TOrvLabel::~TOrvLabel() {
  SetNumber(nullptr);
  DestroyComponents();
  FChildLabel = nullptr;
  FResizer = nullptr;
}

bool TOrvLabel::BoundToVector() const { return dynamic_cast<items::TOrvVector*>(FValue) != nullptr; }

void TOrvLabel::SetNumber(items::TOrvSerialData* item) {
  if (item != nullptr && dynamic_cast<items::TOrvVector*>(item) == nullptr &&
      dynamic_cast<items::TOrvPacketData*>(item) == nullptr)
    return;
  if (FValue != nullptr) FValue->RemoveNotificationList(this);
  FValue = item;
  if (FValue != nullptr) FValue->AddNotificationList(this);
}

void TOrvLabel::ReadItem() {
  if (auto* vector = dynamic_cast<items::TOrvVector*>(FValue)) {
    FVectorText = VectorText(vector->ArrayDimension(),
                             [vector](int index, double& value) { return vector->GetData(value, index); });
  } else if (auto* packet = dynamic_cast<items::TOrvPacketData*>(FValue)) {
    if (IsFlagStyle(FStyle))
      FState = packet->GetInt() != 0;
    else
      FNumber = packet->GetDouble();
  }
  UpdateLabelState();
}

void TOrvLabel::UpdateLabelState() {
  if (BoundToVector()) {
    SetCaption(FVectorText);
  } else if (!IsFlagStyle(FStyle)) {
    SetCaption(FDataFormat.empty() ? platform::FloatToStr(FNumber) : platform::FormatFloat(FDataFormat, FNumber));
  } else {
    Font().SetColor(FState ? FOnColor : FOffColor);
    SetCaption(FState ? FOnText : FOffText);
  }
}

void TOrvLabel::SetLabelStyle(TLabelStyle style) {
  FStyle = style;
  if (!IsLabeledStyle(style)) {
    delete FChildLabel;
    FChildLabel = nullptr;
  } else if (FChildLabel == nullptr) {
    FChildLabel = new TChildLabel(this);
    FChildLabel->SetParent(Parent());
    FChildLabel->SetVisible(true);
    FChildLabel->Place();
  }
  UpdateLabelState();
}

void TOrvLabel::SetDataFormat(const std::string& format) {
  FDataFormat = format;
  UpdateLabelState();
}

void TOrvLabel::SetState(bool state) {
  FState = state;
  UpdateLabelState();
}

void TOrvLabel::SetStatusText(int index, const std::string& text) {
  if (index == 1) FOnText = text;
  if (index == 2) FOffText = text;
  UpdateLabelState();
}

void TOrvLabel::SetStatusColor(int index, platform::TColor color) {
  if (index == 1) FOnColor = color;
  if (index == 2) FOffColor = color;
  UpdateLabelState();
}

void TOrvLabel::WndProc(platform::TMessage& message) {
  switch (message.Msg) {
    case platform::WM_DATACHANGED:
      if (FValue != nullptr) ReadItem();
      return;
    case platform::WM_DATAAVAILABLE:
    case platform::WM_COMERROR:
      return;
    default:
      platform::TCustomLabel::WndProc(message);
  }
}

void TOrvLabel::CMVisibleChanged(platform::TMessage& message) {
  platform::TCustomLabel::CMVisibleChanged(message);
  if (FChildLabel != nullptr) FChildLabel->SetVisible(Visible());
}

void TOrvLabel::Notification(platform::TComponent* component, platform::TOperation operation) {
  platform::TCustomLabel::Notification(component, operation);
  if (operation != platform::TOperation::opRemove) return;
  if (component == FValue) FValue = nullptr;
  if (component == FChildLabel) FChildLabel = nullptr;
  if (component == FResizer) FResizer = nullptr;
}

void TOrvLabel::SetBounds(int left, int top, int width, int height) {
  platform::TCustomLabel::SetBounds(left, top, width, height);
  if (FChildLabel != nullptr) FChildLabel->Update();
}

void TOrvLabel::SetParent(platform::TWinControl* parent) {
  platform::TCustomLabel::SetParent(parent);
  if (FChildLabel == nullptr) return;
  FChildLabel->SetParent(parent);
  FChildLabel->SetVisible(Visible());
  FChildLabel->Place();
}

}  // namespace orv::controls
