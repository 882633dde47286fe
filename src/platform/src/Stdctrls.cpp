#include "orv/platform/Stdctrls.h"

#include <algorithm>
#include <cctype>

#include "orv/platform/Clock.h"
#include "orv/platform/Forms.h"

namespace orv::platform {

// ---------------------------------------------------------------- TCustomLabel

TCustomLabel::TCustomLabel(TComponent* owner) : TControl(owner) {
  SetBoundsQuiet(0, 0, 65, 13);
  SetParentColor(true);
}

void TCustomLabel::SetAutoSize(bool value) {
  if (value == FAutoSize) return;
  FAutoSize = value;
  AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  Changed(TChangeKind::ckAppearance);
}

void TCustomLabel::SetLayout(TTextLayout value) {
  if (value == FLayout) return;
  FLayout = value;
  Changed(TChangeKind::ckAppearance);
}

void TCustomLabel::SetWordWrap(bool value) {
  if (value == FWordWrap) return;
  FWordWrap = value;
  Changed(TChangeKind::ckAppearance);
  AdjustBounds();
}

void TCustomLabel::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  Changed(TChangeKind::ckAppearance);
}

void TCustomLabel::SetShowAccelChar(bool value) {
  if (value == FShowAccelChar) return;
  FShowAccelChar = value;
  Changed(TChangeKind::ckText);
  AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
  if (FFocusControl != nullptr) RemoveFreeNotification(FFocusControl);
  FFocusControl = control;
  if (control != nullptr) FreeNotification(control);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  TControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::SetText(const std::string& text) {
  if (text == Text()) return;
  TControl::SetText(text);
  AdjustBounds();
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || IsLoading()) return;
  const std::string shown = FShowAccelChar ? StripHotkey(Text()) : Text();
  ITextMeasurer& m = TextMeasurer();
  const int h = m.TextHeight(Font());
  if (FWordWrap) {
    // Keeps the width; the height takes as many lines as the text needs.
    const int full = m.TextWidth(Font(), shown);
    const int lines = Width() > 0 ? std::max(1, (full + Width() - 1) / Width()) : 1;
    SetBounds(Left(), Top(), Width(), h * lines);
    return;
  }
  const int w = m.TextWidth(Font(), shown);
  int left = Left();
  if (FAlignment == taRightJustify) left += Width() - w;
  // Centred labels keep their centre.
  if (FAlignment == taCenter) left += (Width() - w) / 2;
  SetBounds(left, Top(), w, h);
}

void TCustomLabel::Update() {
  TControl::Update();
  AdjustBounds();
}

void TCustomLabel::Loaded() {
  TControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::ParentFontChanged() { TControl::ParentFontChanged(); }

void TCustomLabel::WndProc(TMessage& message) {
  TControl::WndProc(message);
  if (message.Msg == CM_FONTCHANGED) AdjustBounds();
}

// ---------------------------------------------------------------- TStaticText

TStaticText::TStaticText(TComponent* owner) : TWinControl(owner) { SetBoundsQuiet(0, 0, 65, 17); }

void TStaticText::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  Changed(TChangeKind::ckAppearance);
}

void TStaticText::SetAutoSize(bool value) {
  if (value == FAutoSize) return;
  FAutoSize = value;
  AdjustBounds();
}

void TStaticText::SetBorderStyle(TStaticBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  Changed(TChangeKind::ckAppearance);
}

void TStaticText::SetBevelKind(TBevelKind value) {
  if (value == FBevelKind) return;
  FBevelKind = value;
  Changed(TChangeKind::ckAppearance);
}

void TStaticText::SetFocusControl(TWinControl* control) {
  if (FFocusControl != nullptr) RemoveFreeNotification(FFocusControl);
  FFocusControl = control;
  if (control != nullptr) FreeNotification(control);
}

void TStaticText::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TStaticText::SetText(const std::string& text) {
  if (text == Text()) return;
  TWinControl::SetText(text);
  AdjustBounds();
}

void TStaticText::AdjustBounds() {
  if (!FAutoSize || IsLoading()) return;
  ITextMeasurer& m = TextMeasurer();
  const int border = (FBorderStyle != sbsNone ? 2 : 0) + (FBevelKind != bkNone ? 2 : 0);
  SetBounds(Left(), Top(), m.TextWidth(Font(), StripHotkey(Text())) + 2 * border, m.TextHeight(Font()) + 2 * border);
}

// ---------------------------------------------------------------- TCustomEdit

namespace {
int ClampInt(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }
}  // namespace

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetBoundsQuiet(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) {
  SetBoundsQuiet(0, 0, 185, 89);
  SetWantReturns(true);
  SetAutoSelect(false);
}

void TCustomEdit::SetText(const std::string& text) {
  if (text == Text()) return;
  TWinControl::SetText(text);
  FSelStart = 0;
  FSelLength = 0;
  Changed(TChangeKind::ckSelection);
  Change();
}

std::string TCustomEdit::SelText() const {
  const std::string& t = Text();
  const auto start = static_cast<std::size_t>(ClampInt(FSelStart, 0, static_cast<int>(t.size())));
  return t.substr(start, static_cast<std::size_t>(std::max(0, FSelLength)));
}

void TCustomEdit::SetSelection(int start, int length) {
  const int size = static_cast<int>(Text().size());
  start = ClampInt(start, 0, size);
  length = ClampInt(length, 0, size - start);
  if (start == FSelStart && length == FSelLength) return;
  FSelStart = start;
  FSelLength = length;
  Changed(TChangeKind::ckSelection);
}

void TCustomEdit::SetSelStart(int start) { SetSelection(start, 0); }

void TCustomEdit::SetSelLength(int length) { SetSelection(FSelStart, length); }

void TCustomEdit::SetSelText(const std::string& text) {
  std::string t = Text();
  const int start = ClampInt(FSelStart, 0, static_cast<int>(t.size()));
  const int length = ClampInt(FSelLength, 0, static_cast<int>(t.size()) - start);
  std::string insert = text;
  if (FMaxLength > 0) {
    const int room = FMaxLength - (static_cast<int>(t.size()) - length);
    if (room < static_cast<int>(insert.size())) insert.resize(static_cast<std::size_t>(std::max(0, room)));
  }
  t.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), insert);
  const int caret = start + static_cast<int>(insert.size());
  if (t != Text()) {
    TWinControl::SetText(t);
    FModified = true;
  }
  FSelStart = caret;
  FSelLength = 0;
  Changed(TChangeKind::ckSelection);
  Change();
}

void TCustomEdit::SelectAll() { SetSelection(0, static_cast<int>(Text().size())); }

void TCustomEdit::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  Changed(TChangeKind::ckAppearance);
}

void TCustomEdit::SetReadOnly(bool value) {
  if (value == FReadOnly) return;
  FReadOnly = value;
  Changed(TChangeKind::ckAppearance);
}

void TCustomEdit::SetMaxLength(int value) {
  FMaxLength = std::max(0, value);
  Changed(TChangeKind::ckAppearance);
}

void TCustomEdit::SetPasswordChar(char value) {
  if (value == FPasswordChar) return;
  FPasswordChar = value;
  Changed(TChangeKind::ckAppearance);
}

void TCustomEdit::SetWordWrap(bool value) {
  if (value == FWordWrap) return;
  FWordWrap = value;
  Changed(TChangeKind::ckAppearance);
}

void TCustomEdit::SetScrollBars(TScrollStyle value) {
  if (value == FScrollBars) return;
  FScrollBars = value;
  Changed(TChangeKind::ckAppearance);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::UserEdited(const std::string& text, int selStart, int selLength) {
  const bool differs = text != Text();
  if (differs) {
    TWinControl::SetText(text);
    FModified = true;
  }
  const int size = static_cast<int>(text.size());
  FSelStart = ClampInt(selStart, 0, size);
  FSelLength = ClampInt(selLength, 0, size - FSelStart);
  if (differs) Change();
}

void TCustomEdit::UserSelected(int selStart, int selLength) {
  const int size = static_cast<int>(Text().size());
  FSelStart = ClampInt(selStart, 0, size);
  FSelLength = ClampInt(selLength, 0, size - FSelStart);
}

void TCustomEdit::DefaultKeyPress(char key) {
  if (FReadOnly) return;
  if (key == '\b') {
    if (FSelLength == 0) {
      if (FSelStart == 0) return;
      // Whole UTF-8 characters go.
      int start = FSelStart - 1;
      while (start > 0 && (static_cast<unsigned char>(Text()[static_cast<std::size_t>(start)]) & 0xC0) == 0x80) --start;
      FSelLength = FSelStart - start;
      FSelStart = start;
    }
    SetSelText("");
    return;
  }
  if (static_cast<unsigned char>(key) < 32) return;
  SetSelText(std::string(1, key));
}

void TCustomEdit::DefaultKeyDown(unsigned short key, TShiftState shift) {
  const int size = static_cast<int>(Text().size());
  const int caret = FSelStart + FSelLength;
  switch (key) {
    case VK_LEFT:
      SetSelection(std::max(0, (FSelLength > 0 ? FSelStart : caret - 1)), 0);
      break;
    case VK_RIGHT:
      SetSelection(std::min(size, caret + (FSelLength > 0 ? 0 : 1)), 0);
      break;
    case VK_HOME:
      SetSelection(0, 0);
      break;
    case VK_END:
      SetSelection(size, 0);
      break;
    case VK_DELETE:
      if (FReadOnly) break;
      if (FSelLength == 0 && FSelStart < size) FSelLength = 1;
      SetSelText("");
      break;
    default:
      break;
  }
  (void)shift;
}

void TCustomEdit::DoEnter() {
  if (FAutoSelect) SelectAll();
  TWinControl::DoEnter();
}

// ---------------------------------------------------------------- TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner) {
  SetBoundsQuiet(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

void TCustomComboBox::SetItems(const std::vector<std::string>& items) {
  FItems = items;
  if (FItemIndex >= ItemCount()) FItemIndex = -1;
  Changed(TChangeKind::ckItems);
  Changed(TChangeKind::ckItemIndex);
}

void TCustomComboBox::AddItem(const std::string& item) {
  FItems.push_back(item);
  Changed(TChangeKind::ckItems);
}

void TCustomComboBox::ClearItems() {
  FItems.clear();
  FItemIndex = -1;
  Changed(TChangeKind::ckItems);
  Changed(TChangeKind::ckItemIndex);
}

void TCustomComboBox::SetItemIndex(int index) {
  if (index < 0 || index >= ItemCount()) index = -1;
  if (index == FItemIndex) return;
  FItemIndex = index;
  TWinControl::SetText(index >= 0 ? FItems[static_cast<std::size_t>(index)] : std::string());
  Changed(TChangeKind::ckItemIndex);
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed(TChangeKind::ckAppearance);
}

void TCustomComboBox::SetDroppedDown(bool value) {
  if (value == FDroppedDown) return;
  if (value) {
    DropDown();
    FDroppedDown = true;
  } else {
    FDroppedDown = false;
    CloseUp();
  }
  Changed(TChangeKind::ckDropDown);
}

void TCustomComboBox::SetText(const std::string& text) {
  if (FStyle == csDropDownList) {
    // A list without edit field shows only its lines.
    for (int i = 0; i < ItemCount(); ++i) {
      if (FItems[static_cast<std::size_t>(i)] == text) {
        SetItemIndex(i);
        return;
      }
    }
    return;
  }
  TWinControl::SetText(text);
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::UserSelect(int index) {
  if (index < -1 || index >= ItemCount()) return;
  if (index == FItemIndex) return;
  SetItemIndex(index);
  Change();
  if (OnSelect) OnSelect(this);
}

void TCustomComboBox::UserEdited(const std::string& text) {
  if (text == Text()) return;
  TWinControl::SetText(text);
  Change();
}

void TCustomComboBox::KeyPress(char& key) {
  TWinControl::KeyPress(key);
  if (key == 0 || FStyle != csDropDownList) return;
  const std::uint32_t now = Clock().TickCount();
  if (now - FLastSearchTick >= 500) FSearch.clear();
  FLastSearchTick = now;
  if (key == '\b') {
    if (!FSearch.empty()) FSearch.pop_back();
  } else if (static_cast<unsigned char>(key) >= 32) {
    FSearch += key;
  } else {
    return;
  }
  if (FSearch.empty()) return;
  for (int i = 0; i < ItemCount(); ++i) {
    const std::string& item = FItems[static_cast<std::size_t>(i)];
    if (item.size() < FSearch.size()) continue;
    bool match = true;
    for (std::size_t k = 0; k < FSearch.size() && match; ++k) {
      match = std::tolower(static_cast<unsigned char>(item[k])) == std::tolower(static_cast<unsigned char>(FSearch[k]));
    }
    if (match) {
      UserSelect(i);
      return;
    }
  }
}

void TCustomComboBox::DefaultKeyDown(unsigned short key, TShiftState shift) {
  if (key == 115 /* F4 */ || ((key == VK_DOWN || key == VK_UP) && (shift & ssAlt) != 0)) {
    SetDroppedDown(!FDroppedDown);
    return;
  }
  switch (key) {
    case VK_UP:
      if (FItemIndex > 0) UserSelect(FItemIndex - 1);
      break;
    case VK_DOWN:
      if (FItemIndex + 1 < ItemCount()) UserSelect(FItemIndex + 1);
      break;
    case VK_HOME:
      if (ItemCount() > 0) UserSelect(0);
      break;
    case VK_END:
      if (ItemCount() > 0) UserSelect(ItemCount() - 1);
      break;
    case VK_RETURN:
    case VK_ESCAPE:
      if (FDroppedDown) SetDroppedDown(false);
      break;
    default:
      break;
  }
}

void TCustomComboBox::DefaultKeyPress(char key) {
  if (FStyle == csDropDownList) return;
  std::string t = Text();
  if (key == '\b') {
    if (!t.empty()) t.pop_back();
  } else if (static_cast<unsigned char>(key) >= 32) {
    t += key;
  }
  UserEdited(t);
}

// ---------------------------------------------------------------- buttons

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBoundsQuiet(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::SetDefault(bool value) {
  if (value == FDefault) return;
  FDefault = value;
  Changed(TChangeKind::ckAppearance);
}

void TButton::Click() {
  if (FModalResult != mrNone) {
    if (TForm* form = ParentForm()) form->SetModalResult(FModalResult);
  }
  TWinControl::Click();
}

void TButton::DefaultKeyDown(unsigned short key, TShiftState /*shift*/) {
  if (key == VK_SPACE || key == VK_RETURN) Click();
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {}

void TBitBtn::SetGlyph(const TPicture& glyph) {
  FGlyph = glyph;
  if (FGlyph.Bytes.empty()) ResolvePicture(FGlyph);
  Changed(TChangeKind::ckPicture);
}

void TBitBtn::SetLayout(TButtonLayout value) {
  if (value == FLayout) return;
  FLayout = value;
  Changed(TChangeKind::ckAppearance);
}

void TBitBtn::SetMargin(int value) {
  FMargin = value;
  Changed(TChangeKind::ckAppearance);
}

void TBitBtn::SetSpacing(int value) {
  FSpacing = value;
  Changed(TChangeKind::ckAppearance);
}

TSpeedButton::TSpeedButton(TComponent* owner) : TControl(owner) { SetBoundsQuiet(0, 0, 23, 22); }

void TSpeedButton::SetGlyph(const TPicture& glyph) {
  FGlyph = glyph;
  if (FGlyph.Bytes.empty()) ResolvePicture(FGlyph);
  Changed(TChangeKind::ckPicture);
}

void TSpeedButton::SetLayout(TButtonLayout value) {
  if (value == FLayout) return;
  FLayout = value;
  Changed(TChangeKind::ckAppearance);
}

void TSpeedButton::SetFlat(bool value) {
  if (value == FFlat) return;
  FFlat = value;
  Changed(TChangeKind::ckAppearance);
}

void TSpeedButton::SetDown(bool value) {
  if (FGroupIndex == 0) value = false;
  if (value == FDown) return;
  FDown = value;
  Changed(TChangeKind::ckChecked);
  if (value && Parent() != nullptr) {
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
      if (other != nullptr && other != this && other->FGroupIndex == FGroupIndex) other->SetDown(false);
    }
  }
}

void TSpeedButton::Click() {
  if (FGroupIndex != 0) {
    if (!FDown)
      SetDown(true);
    else if (FAllowAllUp)
      SetDown(false);
  }
  TControl::Click();
}

// ---------------------------------------------------------------- TCustomCheckBox

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TWinControl(owner) {
  SetBoundsQuiet(0, 0, 97, 17);
  SetTabStop(true);
}

void TCustomCheckBox::SetState(TCheckBoxState state) {
  if (state == cbGrayed && !FAllowGrayed) state = cbUnchecked;
  if (state == FState) return;
  FState = state;
  Changed(TChangeKind::ckChecked);
  if (!ClicksDisabled) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  Changed(TChangeKind::ckAppearance);
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked:
      SetState(cbChecked);
      break;
    case cbChecked:
      SetState(FAllowGrayed ? cbGrayed : cbUnchecked);
      break;
    case cbGrayed:
      SetState(cbUnchecked);
      break;
  }
}

void TCustomCheckBox::DefaultKeyDown(unsigned short key, TShiftState /*shift*/) {
  if (key == VK_SPACE) Toggle();
}

// ---------------------------------------------------------------- groups

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) { SetBoundsQuiet(0, 0, 185, 105); }

TRect TGroupBox::ClientRect() const { return {2, 15, std::max(2, Width() - 2), std::max(15, Height() - 2)}; }

TRadioGroup::TRadioGroup(TComponent* owner) : TGroupBox(owner) { SetTabStop(true); }

void TRadioGroup::SetItems(const std::vector<std::string>& items) {
  FItems = items;
  if (FItemIndex >= static_cast<int>(FItems.size())) FItemIndex = -1;
  Changed(TChangeKind::ckItems);
  Changed(TChangeKind::ckItemIndex);
}

void TRadioGroup::SetItem(int index, const std::string& text) {
  if (index < 0 || index >= static_cast<int>(FItems.size())) return;
  FItems[static_cast<std::size_t>(index)] = text;
  Changed(TChangeKind::ckItems);
}

void TRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(FItems.size())) index = -1;
  if (index == FItemIndex) return;
  FItemIndex = index;
  Changed(TChangeKind::ckItemIndex);
}

void TRadioGroup::SetColumns(int value) {
  FColumns = std::max(1, value);
  Changed(TChangeKind::ckAppearance);
}

void TRadioGroup::UserSelect(int index) {
  if (index < 0 || index >= static_cast<int>(FItems.size()) || index == FItemIndex) return;
  SetItemIndex(index);
  Click();
}

}  // namespace orv::platform
