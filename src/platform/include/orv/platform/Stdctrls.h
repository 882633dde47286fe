#pragma once
// Models of the standard controls: labels, static text, edits, combo boxes,
// buttons, speed buttons, check boxes, radio groups and group boxes.
// Contract as in Controls.h (user-interface thread, observer, virtual hooks).

#include <string>
#include <vector>

#include "orv/platform/Controls.h"

namespace orv::platform {

// ---------------------------------------------------------------- labels

// A text label (not focusable). With AutoSize (the default) its size
// follows the text in its font: AdjustBounds runs after every change of
// caption, font or word wrap, keeping the left and top.
class TCustomLabel : public TControl {
 public:
  explicit TCustomLabel(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TLabel"; }

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool value);
  // Gets the focus when the label is clicked or its access key is used.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* control);

  void SetText(const std::string& text) override;
  // Sizes the label to its text when AutoSize is on.
  virtual void AdjustBounds();
  // Repaint, then AdjustBounds.
  void Update() override;
  void Loaded() override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void ParentFontChanged() override;
  // A font change sizes the label again.
  void WndProc(TMessage& message) override;

 private:
  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FTransparent = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};
class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
};

enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };

// Static text: a label in a window of its own, with border and bevel.
class TStaticText : public TWinControl {
 public:
  explicit TStaticText(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TStaticText"; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  TStaticBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TStaticBorderStyle value);
  TBevelKind BevelKind() const { return FBevelKind; }
  void SetBevelKind(TBevelKind value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* control);
  void SetText(const std::string& text) override;
  virtual void AdjustBounds();

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  TStaticBorderStyle FBorderStyle = sbsNone;
  TBevelKind FBevelKind = bkNone;
  TWinControl* FFocusControl = nullptr;
};

// ---------------------------------------------------------------- edits

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A text edit. Text and selection in bytes of the UTF-8 text. Setting the
// text by program puts the caret at 0 and runs Change, as the platform's
// edit does.
class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TEdit"; }

  void SetText(const std::string& text) override;
  int SelStart() const { return FSelStart; }
  int SelLength() const { return FSelLength; }
  std::string SelText() const;
  // Selection start and length, clamped to the text.
  void SetSelStart(int start);
  void SetSelLength(int length);
  void SetSelection(int start, int length);
  // Replaces the selection (the caret ends after the new text); runs Change.
  void SetSelText(const std::string& text);
  void SelectAll();
  void ClearSelection() { SetSelText(""); }

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  int MaxLength() const { return FMaxLength; }  // 0: no limit
  void SetMaxLength(int value);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool value) { FAutoSelect = value; }
  char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char value);
  // Enter arrives as a character (multi-line edits).
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool value) { FWantReturns = value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value);
  bool Modified() const { return FModified; }
  void SetModified(bool value) { FModified = value; }

  TNotifyEvent OnChange;
  // The text changed (by the user or the program). The base runs OnChange.
  virtual void Change();

  // The user edited the text in the widget: new text and selection.
  // Runs Change when the text differs.
  void UserEdited(const std::string& text, int selStart, int selLength);
  // The user moved the selection in the widget.
  void UserSelected(int selStart, int selLength);

  // Base editing: backspace deletes the selection or the character before
  // the caret; a printable character replaces the selection. Nothing
  // while read-only.
  void DefaultKeyPress(char key) override;
  // Left, Right, Home, End and Delete move the caret or delete.
  void DefaultKeyDown(unsigned short key, TShiftState shift) override;
  void DoEnter() override;

 private:
  int FSelStart = 0;
  int FSelLength = 0;
  TAlignment FAlignment = taLeftJustify;
  bool FReadOnly = false;
  int FMaxLength = 0;
  bool FAutoSelect = true;
  char FPasswordChar = 0;
  bool FWantReturns = false;
  bool FWordWrap = false;
  TScrollStyle FScrollBars = ssNone;
  bool FModified = false;
};
class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
};
// A multi-line edit; Enter arrives as a character, no auto-select.
class TMemo : public TCustomEdit {
 public:
  explicit TMemo(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TMemo"; }
};

// ---------------------------------------------------------------- combo box

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// A combo box: a list of lines, the selected index (-1: none), the text and
// whether the list is open.
class TCustomComboBox : public TWinControl {
 public:
  explicit TCustomComboBox(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TComboBox"; }

  const std::vector<std::string>& Items() const { return FItems; }
  void SetItems(const std::vector<std::string>& items);
  void AddItem(const std::string& item);
  void ClearItems();
  int ItemCount() const { return static_cast<int>(FItems.size()); }
  int ItemIndex() const { return FItemIndex; }
  // Selects a line by program (no Change); outside the list: none.
  void SetItemIndex(int index);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle style);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int value) { FDropDownCount = value < 1 ? 1 : value; }
  // Opens or closes the list; opening runs DropDown first, closing CloseUp.
  bool DroppedDown() const { return FDroppedDown; }
  void SetDroppedDown(bool value);
  void SetText(const std::string& text) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnSelect;

  // The user changed the selection. The base runs OnChange.
  virtual void Change();
  // The list is opening. The base runs OnDropDown.
  virtual void DropDown();
  virtual void CloseUp();

  // The user chose line index (in the open list or with the keys); runs
  // Change when the index differs, then OnSelect.
  void UserSelect(int index);
  // The user typed into the edit field (csDropDown).
  void UserEdited(const std::string& text);

  // The base reaction to a character: OnKeyPress, then, in a drop-down
  // list, the selection moves to the first line that begins with what was
  // typed so far, ignoring case (characters less than 500 ms apart on the
  // platform clock add up; backspace removes the last one). A selection
  // changed this way is a user selection (Change).
  void KeyPress(char& key) override;
  // Up/Down move the selection (user selection), F4 and Alt+Down/Up
  // open or close the list, Enter and Escape close an open list.
  void DefaultKeyDown(unsigned short key, TShiftState shift) override;
  void DefaultKeyPress(char key) override;

 private:
  std::vector<std::string> FItems;
  int FItemIndex = -1;
  TComboBoxStyle FStyle = csDropDown;
  int FDropDownCount = 8;
  bool FDroppedDown = false;
  std::string FSearch;
  std::uint32_t FLastSearchTick = 0;
};
class TComboBox : public TCustomComboBox {
 public:
  using TCustomComboBox::TCustomComboBox;
};

// ---------------------------------------------------------------- buttons

// A push button. A click sets the form's modal result to ModalResult (when
// not 0) and then runs the base click. Default: Enter on the form clicks
// it; Cancel: Escape does.
class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TButton"; }
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int value) { FModalResult = value; }
  bool Default() const { return FDefault; }
  void SetDefault(bool value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool value) { FCancel = value; }
  void Click() override;
  // Space clicks the button.
  void DefaultKeyDown(unsigned short key, TShiftState shift) override;

 private:
  int FModalResult = 0;
  bool FDefault = false;
  bool FCancel = false;
};

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// A button with a picture.
class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TBitBtn"; }
  const TPicture& Glyph() const { return FGlyph; }
  void SetGlyph(const TPicture& glyph);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return FMargin; }
  void SetMargin(int value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);

 private:
  TPicture FGlyph;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
};

// A speed button (not focusable). With GroupIndex not 0 the buttons of one
// parent with the same index act as one radio group: a click presses this
// one and releases the others.
class TSpeedButton : public TControl {
 public:
  explicit TSpeedButton(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TSpeedButton"; }
  const TPicture& Glyph() const { return FGlyph; }
  void SetGlyph(const TPicture& glyph);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value) { FGroupIndex = value; }
  bool Down() const { return FDown; }
  // Pressing releases the other buttons of the group.
  void SetDown(bool value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool value) { FAllowAllUp = value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  void Click() override;

 private:
  TPicture FGlyph;
  TButtonLayout FLayout = blGlyphLeft;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FFlat = false;
};

// ---------------------------------------------------------------- check box

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// A check box. Setting Checked runs Click unless ClicksDisabled is set,
// so the program can show a state without raising the click event.
class TCustomCheckBox : public TWinControl {
 public:
  explicit TCustomCheckBox(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TCheckBox"; }
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState state);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool value) { FAllowGrayed = value; }
  // taRightJustify: caption right of the box (the default); taLeftJustify:
  // caption on the left.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);

  // While true, changing the state does not raise Click.
  bool ClicksDisabled = false;

  // The user toggled the box (unchecked -> checked -> grayed when allowed).
  void Toggle();
  // Space toggles.
  void DefaultKeyDown(unsigned short key, TShiftState shift) override;

 private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};
class TCheckBox : public TCustomCheckBox {
 public:
  using TCustomCheckBox::TCustomCheckBox;
};

// ---------------------------------------------------------------- groups

// A group box: a framed container with a caption.
class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TGroupBox"; }
  // Children sit in the box's own coordinates; aligned ones below the caption.
  TRect ClientRect() const override;
};

// A radio group: a group box with one radio button per item.
class TRadioGroup : public TGroupBox {
 public:
  explicit TRadioGroup(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TRadioGroup"; }
  const std::vector<std::string>& Items() const { return FItems; }
  void SetItems(const std::vector<std::string>& items);
  // Replaces the caption of one item (ignored outside the list).
  void SetItem(int index, const std::string& text);
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int index);
  int Columns() const { return FColumns; }
  void SetColumns(int value);
  // The user chose an item: ItemIndex, then Click when it changed.
  void UserSelect(int index);

 private:
  std::vector<std::string> FItems;
  int FItemIndex = -1;
  int FColumns = 1;
};

}  // namespace orv::platform
