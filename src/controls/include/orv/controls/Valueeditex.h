#pragma once
// The data-bound numeric field: a one-line edit that shows the user value
// of one number item, filters what is typed, hands a committed value to the
// item and follows the item's messages (data changed, data available,
// communication error). It carries a caption label (EditLabel) and a
// resizer, and takes part in a focus chain (NextControl, PrevControl).
//
// Thread: user-interface thread. Ownership: the caption label and the
// resizer are owned; the item and the chain controls are non-owning
// references cleared by destruction notices. Messages for an unbound field
// are ignored.

#include "orv/controls/Childlabel.h"
#include "orv/controls/Databinding.h"
#include "orv/controls/Resizer.h"
#include "orv/items/Serialdata.h"
#include "orv/platform/Stdctrls.h"

namespace orv::controls {

class TValueEditEx : public platform::TMemo {
 public:
  explicit TValueEditEx(platform::TComponent* owner = nullptr);
  ~TValueEditEx() override;
  const char* ClassName() const override { return "TValueEditEx"; }

  // --- binding ---
  items::TOrvNumber* Value() const { return FValue; }
  // Leaves the old item's listener list, joins the new one's (nullptr:
  // unbound).
  void SetNumber(items::TOrvNumber* item);
  // Unbound: true. Otherwise re-reads the item from the ECU, shows the
  // value and answers whether the read succeeded.
  bool InitData();
  // The commit rule: the text goes to the item's SetData when it parses;
  // otherwise the item's value is shown again. True when the item took it.
  bool AcquireValue();

  // --- caption and resizer ---
  TChildLabel* EditLabel() const { return FEditLabel; }
  TResizer* Resizer() const { return FResizer; }

  // --- options ---
  bool Validation = true;      // leaving without Enter drops what was typed
  bool ArrowMoveFocus = true;  // Up and Down move along the chain
  bool AutoSize = false;       // kept only; the height stays

  // --- focus chain ---
  platform::TWinControl* NextControl() const { return FNextControl; }
  platform::TWinControl* PrevControl() const { return FPrevControl; }
  void SetNextControl(platform::TWinControl* control);
  void SetPrevControl(platform::TWinControl* control);
  void FocusNextControl();
  void FocusPrevControl();

  // --- data-defined aspect ---
  TDataDefinedAspect DataNotDefinedAspect() const { return FDataNotDefinedAspect; }
  void SetDataDefAspect(TDataDefinedAspect aspect);
  void RefreshDataDefinitionAspect(bool defined);
  bool DataDefined() const { return FDataDefined; }

  // --- base control hooks ---
  void KeyPress(char& key) override;
  void KeyDown(unsigned short& key, platform::TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetParent(platform::TWinControl* parent) override;
  void SetName(const std::string& name) override;

 protected:
  void WndProc(platform::TMessage& message) override;
  void CMVisibleChanged(platform::TMessage& message) override;
  void Notification(platform::TComponent* component, platform::TOperation operation) override;

 private:
  void ShowItemValue();
  void RunEnterAction();

  items::TOrvNumber* FValue = nullptr;
  TChildLabel* FEditLabel = nullptr;
  TResizer* FResizer = nullptr;
  platform::TWinControl* FNextControl = nullptr;
  platform::TWinControl* FPrevControl = nullptr;
  TDataDefinedAspect FDataNotDefinedAspect = ddNone;
  bool FDataDefined = true;
};

}  // namespace orv::controls
