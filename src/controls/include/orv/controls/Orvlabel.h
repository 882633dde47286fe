#pragma once
// The data label: a read-only display of a live value. In the value styles
// it shows a packet item's number through a format text; in the flag
// styles an on/off text and colour; bound to a vector item it shows the
// character string the vector carries. The labelled styles carry a caption
// label (ChildLabel).
//
// Thread: user-interface thread. Ownership: the caption label and the
// resizer are owned; the item is a non-owning reference cleared by a
// destruction notice.

#include <functional>
#include <string>

#include "orv/controls/Childlabel.h"
#include "orv/controls/Resizer.h"
#include "orv/items/Serialdata.h"
#include "orv/platform/Stdctrls.h"

namespace orv::controls {

enum TLabelStyle { lsValue, lsLabeledValue, lsFlag, lsLabeledFlag };

// The text a vector of length elements carries: element i (read through
// element, false when the read failed) is byte i, value + 0.5 truncated;
// the text ends at the first element that is 0 or could not be read.
std::string VectorText(int length, const std::function<bool(int index, double& value)>& element);

class TOrvLabel : public platform::TLabel {
 public:
  explicit TOrvLabel(platform::TComponent* owner = nullptr);
  ~TOrvLabel() override;
  const char* ClassName() const override { return "TOrvLabel"; }

  items::TOrvSerialData* Value() const { return FValue; }
  // Accepts a packet item or a vector item (or nullptr); any other item
  // leaves the binding as it is.
  void SetNumber(items::TOrvSerialData* item);

  TLabelStyle Style() const { return FStyle; }
  void SetLabelStyle(TLabelStyle style);
  // Present exactly in the labelled styles.
  TChildLabel* ChildLabel() const { return FChildLabel; }
  TResizer* Resizer() const { return FResizer; }

  const std::string& DataFormat() const { return FDataFormat; }
  void SetDataFormat(const std::string& format);
  bool State() const { return FState; }
  void SetState(bool state);
  // index 1: on, 2: off; other indexes are ignored.
  void SetStatusText(int index, const std::string& text);
  void SetStatusColor(int index, platform::TColor color);
  const std::string& OnText() const { return FOnText; }
  const std::string& OffText() const { return FOffText; }
  platform::TColor OnColor() const { return FOnColor; }
  platform::TColor OffColor() const { return FOffColor; }

  // The number the value styles show, and the vector's text.
  double ShownNumber() const { return FNumber; }
  const std::string& ShownVectorText() const { return FVectorText; }

  // Sets the text (and in the flag styles the font colour) from the state.
  void UpdateLabelState();

  void SetBounds(int left, int top, int width, int height) override;
  void SetParent(platform::TWinControl* parent) override;

 protected:
  void WndProc(platform::TMessage& message) override;
  void CMVisibleChanged(platform::TMessage& message) override;
  void Notification(platform::TComponent* component, platform::TOperation operation) override;

 private:
  bool BoundToVector() const;
  void ReadItem();

  items::TOrvSerialData* FValue = nullptr;
  TChildLabel* FChildLabel = nullptr;
  TResizer* FResizer = nullptr;
  TLabelStyle FStyle = lsLabeledValue;
  std::string FDataFormat;
  std::string FOnText = "ON";
  std::string FOffText = "OFF";
  platform::TColor FOnColor;
  platform::TColor FOffColor;
  bool FState = false;
  double FNumber = 0.0;
  std::string FVectorText = "n.d.";
};

}  // namespace orv::controls
