#include "orv/platform/Controls.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "orv/platform/Actions.h"
#include "orv/platform/Extctrls.h"
#include "orv/platform/Forms.h"
#include "orv/platform/Menus.h"
#include "orv/platform/Stdctrls.h"

namespace orv::platform {

// ---------------------------------------------------------------- colours

namespace {

struct TNamedColor {
  const char* Name;
  TColor Value;
};

constexpr std::array<TNamedColor, 34> kColorNames{{
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clMoneyGreen", clMoneyGreen},
    {"clSkyBlue", clSkyBlue},
    {"clCream", clCream},
    {"clMedGray", clMedGray},
    {"clNone", clNone},
    {"clDefault", clDefault},
    {"clActiveCaption", clActiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowText", clWindowText},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clBtnHighlight", clBtnHighlight},
    {"clInfoBk", clInfoBk},
}};

// The classic Windows system colours, by index.
TColor SystemDefault(int index) {
  switch (index) {
    case 2:
      return 0xD1B499;  // active caption
    case 4:
      return 0xF0F0F0;  // menu
    case 5:
      return 0xFFFFFF;  // window
    case 8:
      return 0x000000;  // window text
    case 13:
      return 0xFF9933;  // highlight
    case 14:
      return 0xFFFFFF;  // highlight text
    case 15:
      return 0xF0F0F0;  // button face
    case 16:
      return 0xA0A0A0;  // button shadow
    case 17:
      return 0x6D6D6D;  // grey text
    case 18:
      return 0x000000;  // button text
    case 20:
      return 0xFFFFFF;  // button highlight
    case 23:
      return 0x000000;  // info text
    case 24:
      return 0xE1FFFF;  // info background
    default:
      return 0xF0F0F0;
  }
}

}  // namespace

bool ColorFromName(std::string_view name, TColor& color) {
  for (const TNamedColor& c : kColorNames) {
    if (SameName(c.Name, name)) {
      color = c.Value;
      return true;
    }
  }
  if (SameName(name, "clInfoText")) {
    color = clInfoText;
    return true;
  }
  return false;
}

TColor SystemColorToRGB(TColor color, TColor fallback) {
  if (color == clNone || color == clDefault)
    return fallback == clNone || fallback == clDefault ? 0xF0F0F0 : SystemColorToRGB(fallback, 0xF0F0F0);
  if ((static_cast<std::uint32_t>(color) & 0x80000000u) != 0) return SystemDefault(static_cast<int>(color & 0xFF));
  return color & 0xFFFFFF;
}

// ---------------------------------------------------------------- font

void TFont::SetName(const std::string& name) {
  if (name == FName) return;
  FName = name;
  Changed();
}

void TFont::SetPixels(int pixels) {
  if (pixels < 1) pixels = 1;
  if (pixels == FPixels) return;
  FPixels = pixels;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed();
}

void TFont::Assign(const TFont& other) {
  if (SameAs(other)) return;
  FName = other.FName;
  FPixels = other.FPixels;
  FStyle = other.FStyle;
  FColor = other.FColor;
  Changed();
}

// ---------------------------------------------------------------- pictures

namespace {
TPictureResolver& PictureResolverSlot() {
  static TPictureResolver resolver;
  return resolver;
}
}  // namespace

void SetPictureResolver(TPictureResolver resolver) { PictureResolverSlot() = std::move(resolver); }

bool ResolvePicture(TPicture& picture) {
  if (picture.ResourceName.empty() || !PictureResolverSlot()) return false;
  std::vector<std::uint8_t> bytes;
  if (!PictureResolverSlot()(picture.ResourceName, bytes)) return false;
  picture.Bytes = std::move(bytes);
  return true;
}

// ---------------------------------------------------------------- text metrics

namespace {

class TEstimatedMeasurer final : public ITextMeasurer {
 public:
  int TextWidth(const TFont& font, std::string_view text) override {
    int chars = 0;
    for (unsigned char c : text) {
      if ((c & 0xC0) != 0x80) ++chars;  // count code points, not UTF-8 bytes
    }
    return (chars * font.Pixels() * 55 + 99) / 100;
  }
  int TextHeight(const TFont& font) override { return (font.Pixels() * 5 + 3) / 4; }
};

TEstimatedMeasurer gEstimate;
ITextMeasurer* gMeasurer = nullptr;

}  // namespace

ITextMeasurer& TextMeasurer() { return gMeasurer != nullptr ? *gMeasurer : gEstimate; }
void SetTextMeasurer(ITextMeasurer* measurer) { gMeasurer = measurer; }

// ---------------------------------------------------------------- shortcuts

TShortCut ShortCut(unsigned short key, TShiftState shift) {
  unsigned code = key & 0x1FFFu;
  if ((shift & ssShift) != 0) code |= scShift;
  if ((shift & ssCtrl) != 0) code |= scCtrl;
  if ((shift & ssAlt) != 0) code |= scAlt;
  return static_cast<TShortCut>(code);
}

void ShortCutToKey(TShortCut shortcut, unsigned short& key, TShiftState& shift) {
  key = static_cast<unsigned short>(shortcut & 0x1FFFu);
  shift = 0;
  if ((shortcut & scShift) != 0) shift |= ssShift;
  if ((shortcut & scCtrl) != 0) shift |= ssCtrl;
  if ((shortcut & scAlt) != 0) shift |= ssAlt;
}

std::string ShortCutToText(TShortCut shortcut) {
  unsigned short key = 0;
  TShiftState shift = 0;
  ShortCutToKey(shortcut, key, shift);
  if (key == 0) return "";
  std::string name;
  if (key >= VK_F1 && key <= VK_F1 + 11) {
    name = "F" + std::to_string(key - VK_F1 + 1);
  } else if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    name = std::string(1, static_cast<char>(key));
  } else {
    switch (key) {
      case VK_BACK:
        name = "BkSp";
        break;
      case VK_TAB:
        name = "Tab";
        break;
      case VK_RETURN:
        name = "Enter";
        break;
      case VK_ESCAPE:
        name = "Esc";
        break;
      case VK_SPACE:
        name = "Space";
        break;
      case VK_PRIOR:
        name = "PgUp";
        break;
      case VK_NEXT:
        name = "PgDn";
        break;
      case VK_END:
        name = "End";
        break;
      case VK_HOME:
        name = "Home";
        break;
      case VK_LEFT:
        name = "Left";
        break;
      case VK_UP:
        name = "Up";
        break;
      case VK_RIGHT:
        name = "Right";
        break;
      case VK_DOWN:
        name = "Down";
        break;
      case VK_INSERT:
        name = "Ins";
        break;
      case VK_DELETE:
        name = "Del";
        break;
      default:
        name = "#" + std::to_string(key);
        break;
    }
  }
  std::string text;
  if ((shift & ssShift) != 0) text += "Shift+";
  if ((shift & ssCtrl) != 0) text += "Ctrl+";
  if ((shift & ssAlt) != 0) text += "Alt+";
  return text + name;
}

std::string StripHotkey(std::string_view caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  FFont.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
  if (FObserver != nullptr) {
    IControlObserver* observer = FObserver;
    FObserver = nullptr;
    observer->ControlDestroying(*this);
  }
  if (FAction != nullptr) FAction->UnregisterClient(this);
  if (FParent != nullptr) FParent->RemoveControl(this);
}

void TControl::Changed(TChangeKind kind) {
  if (FObserver != nullptr) FObserver->ControlChanged(*this, kind);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (parent == this) return;
  // A parent inside this control would make a cycle.
  for (TWinControl* p = parent; p != nullptr; p = p->Parent()) {
    if (p == this) return;
  }
  if (FParent != nullptr) FParent->RemoveControl(this);
  if (parent != nullptr) parent->InsertControl(this);
  Changed(TChangeKind::ckParent);
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* w = dynamic_cast<TWinControl*>(parent)) SetParent(w);
}

TForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->FParent != nullptr) c = c->FParent;
  return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

void TControl::SetBoundsQuiet(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  const bool resized = width != FWidth || height != FHeight;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  Changed(TChangeKind::ckBounds);
  if (resized && OnResize) OnResize(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  const TRect before = BoundsRect();
  SetBoundsQuiet(left, top, width, height);
  if (FParent != nullptr && before != BoundsRect()) {
    if (FAlign != alNone) FParent->AlignControls();
    if (auto* scroll = dynamic_cast<TScrollBox*>(FParent)) scroll->ContentChanged();
  }
}

TRect TControl::AbsoluteBounds() const {
  int x = FLeft;
  int y = FTop;
  for (const TWinControl* p = FParent; p != nullptr && p->FParent != nullptr; p = p->FParent) {
    x += p->FLeft + p->ClientOriginX();
    y += p->FTop + p->ClientOriginY();
  }
  return Bounds(x, y, FWidth, FHeight);
}

void TControl::SetAlign(TAlign align) {
  if (align == FAlign) return;
  FAlign = align;
  if (FParent != nullptr) FParent->AlignControls();
}

void TControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  FVisible = visible;
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0, 0);
  Changed(TChangeKind::ckVisible);
  if (FParent != nullptr) {
    if (FAlign != alNone) FParent->AlignControls();
    if (auto* scroll = dynamic_cast<TScrollBox*>(FParent)) scroll->ContentChanged();
  }
}

bool TControl::Showing() const {
  if (!FVisible) return false;
  for (const TWinControl* p = FParent; p != nullptr; p = p->FParent) {
    if (p->FParent == nullptr && dynamic_cast<const TForm*>(p) != nullptr) break;  // the form itself
    if (!p->FVisible) return false;
  }
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Perform(CM_ENABLEDCHANGED, 0, 0);
  Changed(TChangeKind::ckEnabled);
}

void TControl::SetText(const std::string& text) {
  if (text == FText) return;
  FText = text;
  Perform(CM_TEXTCHANGED, 0, 0);
  Changed(TChangeKind::ckText);
}

void TControl::FontChanged() {
  if (!FFontFromParent) FParentFont = false;
  Perform(CM_FONTCHANGED, 0, 0);
  Changed(TChangeKind::ckFont);
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    for (int i = 0; i < w->ControlCount(); ++i) w->Controls(i)->ParentFontChanged();
  }
}

void TControl::SetParentFont(bool value) {
  FParentFont = value;
  if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || FParent == nullptr) return;
  FFontFromParent = true;
  FFont.Assign(FParent->Font());
  FFontFromParent = false;
}

void TControl::SetColor(TColor color) {
  FParentColor = false;
  if (color == FColor) return;
  FColor = color;
  Perform(CM_COLORCHANGED, 0, 0);
  Changed(TChangeKind::ckColor);
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    for (int i = 0; i < w->ControlCount(); ++i) w->Controls(i)->ParentColorChanged();
  }
}

void TControl::SetParentColor(bool value) {
  FParentColor = value;
  if (value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!FParentColor || FParent == nullptr) return;
  SetColor(FParent->Color());
  FParentColor = true;
}

void TControl::SetHint(const std::string& hint) {
  if (hint == FHint) return;
  FHint = hint;
  Changed(TChangeKind::ckHint);
}

void TControl::SetShowHint(bool value) {
  if (value == FShowHint) return;
  FShowHint = value;
  Changed(TChangeKind::ckHint);
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == FCursor) return;
  FCursor = cursor;
  Changed(TChangeKind::ckCursor);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (FPopupMenu != nullptr) RemoveFreeNotification(FPopupMenu);
  FPopupMenu = menu;
  if (menu != nullptr) FreeNotification(menu);
}

void TControl::SetAction(TBasicAction* action) {
  if (action == FAction) return;
  if (FAction != nullptr) {
    FAction->UnregisterClient(this);
    RemoveFreeNotification(FAction);
  }
  FAction = action;
  if (action != nullptr) {
    action->RegisterClient(this);
    FreeNotification(action);
    ActionChanged(*action);
  }
}

void TControl::ActionChanged(TBasicAction& action) {
  SetCaption(action.Caption());
  SetEnabled(action.Enabled());
  SetVisible(action.Visible());
  SetHint(action.Hint());
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FPopupMenu) FPopupMenu = nullptr;
  if (component == FAction) FAction = nullptr;
}

void TControl::Click() {
  if (OnClick) {
    OnClick(this);
  } else if (FAction != nullptr && !IsDesigning()) {
    FAction->Execute();
  }
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

std::intptr_t TControl::Perform(unsigned msg, std::intptr_t wparam, std::intptr_t lparam) {
  TMessage m{msg, wparam, lparam, 0};
  if (WindowProc)
    WindowProc(m);
  else
    WndProc(m);
  return m.Result;
}

bool TControl::InputMouse(unsigned msg, TShiftState shift, int x, int y) {
  FDefaultMouse = false;
  Perform(msg, static_cast<std::intptr_t>(shift), PointToLParam(x, y));
  return FDefaultMouse;
}

void TControl::WndProc(TMessage& message) {
  const TShiftState shift = static_cast<TShiftState>(message.WParam);
  const int x = LParamX(message.LParam);
  const int y = LParamY(message.LParam);
  switch (message.Msg) {
    case WM_MOUSEMOVE:
      FDefaultMouse = true;
      MouseMove(shift, x, y);
      break;
    case WM_LBUTTONDOWN:
      FDefaultMouse = true;
      MouseDown(mbLeft, shift, x, y);
      break;
    case WM_LBUTTONUP:
      FDefaultMouse = true;
      MouseUp(mbLeft, shift, x, y);
      break;
    case WM_RBUTTONDOWN:
      FDefaultMouse = true;
      MouseDown(mbRight, shift, x, y);
      break;
    case WM_RBUTTONUP:
      FDefaultMouse = true;
      MouseUp(mbRight, shift, x, y);
      break;
    case WM_LBUTTONDBLCLK:
      FDefaultMouse = true;
      MouseDown(mbLeft, shift | ssDouble, x, y);
      DblClick();
      break;
    case CM_VISIBLECHANGED:
      CMVisibleChanged(message);
      break;
    default:
      break;
  }
}

void TControl::CMVisibleChanged(TMessage& /*message*/) {}

void TControl::ChangeScale(int m, int d) {
  auto scale = [m, d](int v) { return static_cast<int>(static_cast<long long>(v) * m / d); };
  SetBoundsQuiet(scale(FLeft), scale(FTop), scale(FWidth), scale(FHeight));
  if (!FParentFont) FFont.SetPixels(scale(FFont.Pixels()));
}

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // The form (or whoever) is told first; then the children go with us.
  while (!FControls.empty()) {
    TControl* child = FControls.back();
    if (child->Owner() == nullptr || child->IsDestroying()) {
      RemoveControl(child);
    } else {
      delete child;  // its destructor leaves our list and its owner's
    }
  }
}

void TWinControl::InsertControl(TControl* control) {
  control->FParent = this;
  FControls.push_back(control);
  if (auto* w = dynamic_cast<TWinControl*>(control)) FTabList.push_back(w);
  control->ParentFontChanged();
  control->ParentColorChanged();
  if (control->FAlign != alNone) AlignControls();
  Changed(TChangeKind::ckChildren);
}

void TWinControl::RemoveControl(TControl* control) {
  if (auto* form = ParentForm()) {
    // The focus leaves a control that leaves the form, without events: the
    // control may be on its way out.
    // (The control may be half destroyed: compare addresses only.)
    for (TWinControl* a = form->ActiveControl(); a != nullptr; a = a->Parent()) {
      if (static_cast<TControl*>(a) == control) {
        form->ActiveControlRemoved();
        break;
      }
    }
  }
  FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
  FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), control), FTabList.end());
  control->FParent = nullptr;
  if (control->FAlign != alNone && !IsDestroying()) AlignControls();
  Changed(TChangeKind::ckChildren);
}

int TWinControl::TabOrder() const {
  if (Parent() == nullptr) return -1;
  const auto& list = Parent()->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (IsLoading() || Parent() == nullptr) {
    FPendingTabOrder = order;
    if (Parent() == nullptr || IsLoading()) return;
  }
  auto& list = Parent()->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  if (order < 0) order = 0;
  const auto at = std::min<std::size_t>(static_cast<std::size_t>(order), list.size());
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), this);
  FPendingTabOrder = -1;
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (FPendingTabOrder >= 0) SetTabOrder(FPendingTabOrder);
  AlignControls();
}

bool TWinControl::Focused() const {
  const TForm* form = ParentForm();
  return form != nullptr && form->ActiveControl() == this;
}

bool TWinControl::CanFocus() const {
  if (!Visible() || !Enabled()) return false;
  for (const TWinControl* p = Parent(); p != nullptr; p = p->Parent()) {
    if (p->Parent() == nullptr && dynamic_cast<const TForm*>(p) != nullptr) return p->Enabled();
    if (!p->Visible() || !p->Enabled()) return false;
  }
  return dynamic_cast<const TForm*>(this) == nullptr || Parent() == nullptr;
}

void TWinControl::SetFocus() {
  if (TForm* form = ParentForm()) form->SetActiveControl(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : FTabList) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* cur, bool goForward, bool checkTabStop) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const auto n = static_cast<long>(list.size());
  long start = -1;
  for (long i = 0; i < n; ++i) {
    if (list[static_cast<std::size_t>(i)] == cur) start = i;
  }
  if (start < 0) start = goForward ? n - 1 : 0;
  for (long step = 1; step <= n; ++step) {
    long i = goForward ? start + step : start - step;
    i = ((i % n) + n) % n;
    TWinControl* c = list[static_cast<std::size_t>(i)];
    if (c == cur) break;
    if ((!checkTabStop || c->TabStop()) && c->CanFocus()) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* cur, bool goForward, bool checkTabStop) {
  if (cur == nullptr) {
    if (const TForm* form = ParentForm()) cur = form->ActiveControl();
  }
  TWinControl* next = FindNextControl(cur, goForward, checkTabStop);
  if (next != nullptr) next->SetFocus();
}

void TWinControl::KeyDown(unsigned short& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(unsigned short& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

bool TWinControl::InputKeyDown(unsigned short& key, TShiftState shift) {
  TForm* form = ParentForm();
  if (form != nullptr && form != this && form->KeyPreview()) {
    form->KeyDown(key, shift);
    if (key == 0) return false;
  }
  if (form != nullptr && form->IsShortCut(key, shift)) {
    key = 0;
    return false;
  }
  KeyDown(key, shift);
  if (key == 0) return false;
  if (key == VK_TAB && (shift & (ssCtrl | ssAlt)) == 0 && form != nullptr) {
    form->SelectNext(this, (shift & ssShift) == 0);
    key = 0;
    return false;
  }
  if (form != nullptr && (key == VK_RETURN || key == VK_ESCAPE) && shift == 0) {
    const auto* edit = dynamic_cast<const TCustomEdit*>(this);
    const bool wanted = (key == VK_RETURN && edit != nullptr && edit->WantReturns()) ||
                        (key == VK_RETURN && dynamic_cast<const TButton*>(this) != nullptr) ||
                        (dynamic_cast<const TCustomComboBox*>(this) != nullptr &&
                         static_cast<const TCustomComboBox*>(this)->DroppedDown());
    if (!wanted && form->DialogKey(key)) {
      key = 0;
      return false;
    }
  }
  return true;
}

bool TWinControl::InputKeyPress(char& key) {
  TForm* form = ParentForm();
  if (form != nullptr && form != this && form->KeyPreview()) {
    form->KeyPress(key);
    if (key == 0) return false;
  }
  KeyPress(key);
  return key != 0;
}

void TWinControl::DefaultKeyDown(unsigned short /*key*/, TShiftState /*shift*/) {}
void TWinControl::DefaultKeyPress(char /*key*/) {}

void TWinControl::PressKey(unsigned short key, TShiftState shift) {
  if (InputKeyDown(key, shift)) DefaultKeyDown(key, shift);
}

void TWinControl::TypeChar(char key) {
  if (InputKeyPress(key)) DefaultKeyPress(key);
}

void TWinControl::TypeText(std::string_view text) {
  for (char c : text) TypeChar(c);
}

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0) AlignControls();
}

void TWinControl::AlignControls() {
  if (FAlignLevel > 0 || FAligning) return;
  FAligning = true;
  TRect r = ClientRect();
  auto place = [&](TAlign align) {
    std::vector<TControl*> list;
    for (TControl* c : FControls) {
      if (c->Align() == align && c->Visible()) list.push_back(c);
    }
    std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
      switch (align) {
        case alTop:
          return a->Top() < b->Top();
        case alBottom:
          return a->Top() + a->Height() > b->Top() + b->Height();
        case alLeft:
          return a->Left() < b->Left();
        case alRight:
          return a->Left() + a->Width() > b->Left() + b->Width();
        default:
          return false;
      }
    });
    for (TControl* c : list) {
      switch (align) {
        case alTop:
          c->SetBoundsQuiet(r.Left, r.Top, r.Width(), c->Height());
          r.Top += c->Height();
          break;
        case alBottom:
          c->SetBoundsQuiet(r.Left, r.Bottom - c->Height(), r.Width(), c->Height());
          r.Bottom -= c->Height();
          break;
        case alLeft:
          c->SetBoundsQuiet(r.Left, r.Top, c->Width(), r.Height());
          r.Left += c->Width();
          break;
        case alRight:
          c->SetBoundsQuiet(r.Right - c->Width(), r.Top, c->Width(), r.Height());
          r.Right -= c->Width();
          break;
        case alClient:
          c->SetBoundsQuiet(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
          break;
        default:
          break;
      }
      if (auto* w = dynamic_cast<TWinControl*>(c)) w->AlignControls();
    }
  };
  place(alTop);
  place(alBottom);
  place(alLeft);
  place(alRight);
  place(alClient);
  FAligning = false;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  const int oldW = Width();
  const int oldH = Height();
  TControl::SetBounds(left, top, width, height);
  if (oldW != Width() || oldH != Height()) AlignControls();
}

void TWinControl::ChangeScale(int m, int d) {
  DisableAlign();
  TControl::ChangeScale(m, d);
  for (TControl* c : std::vector<TControl*>(FControls)) c->ChangeScale(m, d);
  EnableAlign();
}

void TWinControl::ParentFontChanged() { TControl::ParentFontChanged(); }

void TWinControl::ParentColorChanged() { TControl::ParentColorChanged(); }

}  // namespace orv::platform
