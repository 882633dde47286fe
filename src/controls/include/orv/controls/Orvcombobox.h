#pragma once
// The data-bound drop-down list: the item's user value is the index of the
// chosen line. A choice made with the list closed is committed at once; a
// choice in the open list is committed with Enter; Escape in the open list
// returns to the line saved when the focus arrived. It carries a caption
// label (ComboLabel) and a resizer and takes part in a focus chain.
//
// Thread: user-interface thread. Ownership as TValueEditEx.

#include "orv/controls/Childlabel.h"
#include "orv/controls/Databinding.h"
#include "orv/controls/Resizer.h"
#include "orv/items/Serialdata.h"
#include "orv/platform/Stdctrls.h"

namespace orv::controls {

// The line a user value selects: value + 0.5 truncated toward zero; -1 when
// that lies outside a list of count lines.
int ComboIndexFromValue(double value, int count);

class TOrvComboBox : public platform::TCustomComboBox {
 public:
  explicit TOrvComboBox(platform::TComponent* owner = nullptr);
  ~TOrvComboBox() override;
  const char* ClassName() const override { return "TOrvComboBox"; }

  items::TOrvNumber* Value() const { return FValue; }
  void SetNumber(items::TOrvNumber* item);
  // Unbound: true. Otherwise re-reads the item, selects its line and
  // answers whether the read succeeded.
  bool InitData();

  TChildLabel* ComboLabel() const { return FComboLabel; }
  TResizer* Resizer() const { return FResizer; }

  bool ArrowMoveFocus = true;  // Up and Down move along the chain while the list is closed

  platform::TWinControl* NextControl() const { return FNextControl; }
  platform::TWinControl* PrevControl() const { return FPrevControl; }
  void SetNextControl(platform::TWinControl* control);
  void SetPrevControl(platform::TWinControl* control);
  void FocusNextControl();
  void FocusPrevControl();

  // The index Escape returns to, and whether a choice waits for Enter.
  int SavedIndex() const { return FSavedIndex; }
  bool Pending() const { return FPending; }

  void KeyPress(char& key) override;
  void KeyDown(unsigned short& key, platform::TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;
  void DropDown() override;
  void Change() override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetParent(platform::TWinControl* parent) override;
  void SetName(const std::string& name) override;

 protected:
  void WndProc(platform::TMessage& message) override;
  void CMVisibleChanged(platform::TMessage& message) override;
  void Notification(platform::TComponent* component, platform::TOperation operation) override;

 private:
  void SelectFromValue();

  items::TOrvNumber* FValue = nullptr;
  TChildLabel* FComboLabel = nullptr;
  TResizer* FResizer = nullptr;
  platform::TWinControl* FNextControl = nullptr;
  platform::TWinControl* FPrevControl = nullptr;
  int FSavedIndex = -1;
  bool FPending = false;
};

}  // namespace orv::controls
