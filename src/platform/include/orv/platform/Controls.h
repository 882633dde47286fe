#pragma once
// Models of the visual controls: the state and events of each control, with
// no window system behind them. A renderer (src/qt) shows them; tests drive
// them directly.
//
// Threads: user-interface thread only.
// Ownership: a control is owned by its owner component (usually the form);
// its parent is the windowed control it sits in. A parent that is destroyed
// destroys its child controls too; a child destroyed first leaves its
// parent's list itself.
// Units: pixels; Left and Top relative to the parent's client area.
// Colours are the platform's colour values: 0x00BBGGRR, or a system colour
// (clSystemColor | index), see SystemColorToRGB.
//
// Subclasses hook the behaviour by overriding the virtual operations
// (KeyPress, KeyDown, DoEnter, DoExit, Click, Change, DropDown, WndProc,
// CMVisibleChanged, SetBounds, SetParent, SetName, ChangeScale, ...); the
// base versions fire the matching events (OnKeyPress, OnClick, ...).
// Every change of what a control shows is reported to its observer (the
// renderer) as a TChangeKind.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "orv/platform/Component.h"
#include "orv/platform/Messages.h"
#include "orv/platform/Screen.h"

namespace orv::platform {

class TControl;
class TWinControl;
class TForm;
class TPopupMenu;
class TBasicAction;

// ---------------------------------------------------------------- basic types

using TColor = std::int32_t;
inline constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
inline constexpr TColor clActiveCaption = clSystemColor | 2;
inline constexpr TColor clMenu = clSystemColor | 4;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;
inline constexpr TColor clInfoText = clSystemColor | 23;
inline constexpr TColor clInfoBk = clSystemColor | 24;

// A colour by its name ("clBtnHighlight", "clRed", case-insensitive);
// false when the name is unknown.
bool ColorFromName(std::string_view name, TColor& color);
// The plain 0x00BBGGRR value of a colour: system colours take the classic
// Windows defaults; clNone and clDefault answer fallback.
TColor SystemColorToRGB(TColor color, TColor fallback = clBtnFace);

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  bool operator==(const TRect&) const = default;
};
inline TRect Bounds(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

enum TShiftStateBit : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64
};
using TShiftState = unsigned;
enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Virtual key codes as the platform numbers them.
inline constexpr unsigned short VK_BACK = 8;
inline constexpr unsigned short VK_TAB = 9;
inline constexpr unsigned short VK_RETURN = 13;
inline constexpr unsigned short VK_SHIFT = 16;
inline constexpr unsigned short VK_CONTROL = 17;
inline constexpr unsigned short VK_MENU = 18;
inline constexpr unsigned short VK_ESCAPE = 27;
inline constexpr unsigned short VK_SPACE = 32;
inline constexpr unsigned short VK_PRIOR = 33;
inline constexpr unsigned short VK_NEXT = 34;
inline constexpr unsigned short VK_END = 35;
inline constexpr unsigned short VK_HOME = 36;
inline constexpr unsigned short VK_LEFT = 37;
inline constexpr unsigned short VK_UP = 38;
inline constexpr unsigned short VK_RIGHT = 39;
inline constexpr unsigned short VK_DOWN = 40;
inline constexpr unsigned short VK_INSERT = 45;
inline constexpr unsigned short VK_DELETE = 46;
inline constexpr unsigned short VK_F1 = 112;  // F1..F12: 112..123

// Messages a control handles besides the item messages of Messages.h.
inline constexpr unsigned WM_SETFOCUS = 0x0007;
inline constexpr unsigned WM_KILLFOCUS = 0x0008;
inline constexpr unsigned WM_KEYDOWN = 0x0100;
inline constexpr unsigned WM_KEYUP = 0x0101;
inline constexpr unsigned WM_CHAR = 0x0102;
inline constexpr unsigned WM_MOUSEMOVE = 0x0200;    // wparam: shift state, lparam: y << 16 | x
inline constexpr unsigned WM_LBUTTONDOWN = 0x0201;  // same parameters
inline constexpr unsigned WM_LBUTTONUP = 0x0202;
inline constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
inline constexpr unsigned WM_RBUTTONDOWN = 0x0204;
inline constexpr unsigned WM_RBUTTONUP = 0x0205;
inline constexpr unsigned CM_BASE = 0xB000;
inline constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 3;
inline constexpr unsigned CM_FONTCHANGED = CM_BASE + 5;
inline constexpr unsigned CM_COLORCHANGED = CM_BASE + 6;
inline constexpr unsigned CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 54;  // wparam: the new visibility (0/1)

// One message as a control's window procedure sees it.
struct TMessage {
  unsigned Msg = 0;
  std::intptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;
};
inline std::intptr_t PointToLParam(int x, int y) {
  return static_cast<std::intptr_t>((static_cast<std::uint32_t>(y & 0xFFFF) << 16) |
                                    static_cast<std::uint32_t>(x & 0xFFFF));
}
inline int LParamX(std::intptr_t l) { return static_cast<std::int16_t>(l & 0xFFFF); }
inline int LParamY(std::intptr_t l) { return static_cast<std::int16_t>((l >> 16) & 0xFFFF); }

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TFontStyleBit : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// Events. The sender is the control (or action, menu item) that fires.
using TNotifyEvent = std::function<void(TComponent* sender)>;
using TKeyEvent = std::function<void(TComponent* sender, unsigned short& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TComponent* sender, char& key)>;
using TMouseEvent = std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int x, int y)>;

// ---------------------------------------------------------------- font

// A font: face name, size in pixels (the character height), styles and
// colour. OnChange runs after every setter that changes something.
class TFont {
 public:
  const std::string& Name() const { return FName; }
  int Pixels() const { return FPixels; }
  // The platform's font height: negative pixels; either sign is accepted.
  int Height() const { return -FPixels; }
  // Points at 96 pixels per inch (rounded).
  int Size() const { return (FPixels * 72 + 48) / 96; }
  TFontStyles Style() const { return FStyle; }
  TColor Color() const { return FColor; }
  bool Bold() const { return (FStyle & fsBold) != 0; }
  bool Italic() const { return (FStyle & fsItalic) != 0; }

  void SetName(const std::string& name);
  void SetPixels(int pixels);  // values below 1 become 1
  void SetHeight(int height) { SetPixels(height < 0 ? -height : height); }
  void SetSize(int points) { SetPixels((points * 96 + 36) / 72); }
  void SetStyle(TFontStyles style);
  void SetColor(TColor color);
  // Takes every attribute of other (OnChange once).
  void Assign(const TFont& other);
  bool SameAs(const TFont& other) const {
    return FName == other.FName && FPixels == other.FPixels && FStyle == other.FStyle && FColor == other.FColor;
  }

  std::function<void()> OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange();
  }
  std::string FName = "MS Sans Serif";
  int FPixels = 11;
  TFontStyles FStyle = 0;
  TColor FColor = clWindowText;
};

// ---------------------------------------------------------------- pictures

// A picture: the bytes of an image file (Windows bitmap, PNG, ...) or the
// name of a picture resource that the picture resolver supplies.
struct TPicture {
  std::vector<std::uint8_t> Bytes;
  std::string ResourceName;
  bool Empty() const { return Bytes.empty(); }
  bool operator==(const TPicture&) const = default;
};
// Resolves a picture resource by name into bytes; false when unknown. The
// program installs one (resources compiled in); none: every name is unknown.
using TPictureResolver = std::function<bool(const std::string& name, std::vector<std::uint8_t>& bytes)>;
void SetPictureResolver(TPictureResolver resolver);
// Fills picture.Bytes from its resource name; false when it cannot.
bool ResolvePicture(TPicture& picture);

// ---------------------------------------------------------------- text metrics

// How wide and high a text is drawn in a font. The renderer installs the
// real metrics; without it an estimate is used (average character width
// 0.55 x pixels, line height 1.25 x pixels), so layouts stay testable.
class ITextMeasurer {
 public:
  virtual ~ITextMeasurer() = default;
  virtual int TextWidth(const TFont& font, std::string_view text) = 0;
  virtual int TextHeight(const TFont& font) = 0;
};
ITextMeasurer& TextMeasurer();
void SetTextMeasurer(ITextMeasurer* measurer);  // not owned; nullptr: the estimate

// ---------------------------------------------------------------- observer

enum class TChangeKind {
  ckBounds,  // left, top, width, height
  ckVisible,
  ckEnabled,
  ckText,  // caption or text
  ckFont,
  ckColor,
  ckHint,
  ckCursor,
  ckAppearance,  // alignment, bevels, styles, layout and the like
  ckSelection,   // an edit's selection
  ckItems,       // item lists (combo box, radio group)
  ckItemIndex,
  ckChecked,   // check box state, speed button down
  ckDropDown,  // a combo box's list opened or closed
  ckPanels,    // status bar panels
  ckPosition,  // progress position, animation frame
  ckPicture,
  ckChildren,  // a child control was inserted or removed
  ckParent,
  ckFocus,        // a form's active control
  ckPage,         // a page control's active page
  ckModalResult,  // a form's modal result
  ckMenu,         // a form's menu or the menu's items
  ckRepaint,      // repaint now
  ckCells,        // grid cells, sizes or selection
};

// Receives the changes of one control. ControlDestroying comes first thing
// in the control's destruction; the observer must drop the control then.
class IControlObserver {
 public:
  virtual ~IControlObserver() = default;
  virtual void ControlChanged(TControl& control, TChangeKind kind) = 0;
  virtual void ControlDestroying(TControl& control) = 0;
};

// Told when an action's caption, enabled state, visibility, hint, checked
// state or shortcut changed.
class IActionClient {
 public:
  virtual void ActionChanged(TBasicAction& action) = 0;

 protected:
  ~IActionClient() = default;
};

// ---------------------------------------------------------------- controls

class TControl : public TComponent, public IMessageTarget, public IActionClient {
 public:
  explicit TControl(TComponent* owner = nullptr);
  ~TControl() override;
  const char* ClassName() const override { return "TControl"; }

  // Parent: the windowed control this one sits in (none: not placed).
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);
  // A nested description's enclosing windowed control becomes the parent.
  void SetParentComponent(TComponent* parent) override;
  // The form this control sits on (a form answers itself), or nullptr.
  TForm* ParentForm() const;
  virtual bool IsWindowed() const { return false; }

  // Bounds relative to the parent's client area.
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  // Sets all four at once (negative sizes become 0); the parent re-aligns.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  // The client area in the control's own coordinates.
  virtual TRect ClientRect() const { return {0, 0, FWidth, FHeight}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  // Where the client area's origin lies in the parent's client coordinates
  // (the control's left, top plus its border).
  virtual int ClientOriginX() const { return 0; }
  virtual int ClientOriginY() const { return 0; }
  // Bounds relative to the client area of the form (absolute bounds).
  TRect AbsoluteBounds() const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign align);

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and every parent up to the form visible (the form itself
  // need not be shown).
  bool Showing() const;

  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool enabled);

  // Caption and Text are one value, as on the platform.
  const std::string& Caption() const { return FText; }
  const std::string& Text() const { return FText; }
  void SetCaption(const std::string& text) { SetText(text); }
  virtual void SetText(const std::string& text);

  // The font; changing it clears ParentFont. With ParentFont the control
  // follows its parent's font.
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool value);

  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool value);

  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& hint);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);

  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor);

  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* menu);

  // A linked action: the control shows its caption, enabled state,
  // visibility and hint, and a click runs it when OnClick is empty.
  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* action);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnResize;

  // The control was clicked (by the user or by the program). The base runs
  // OnClick, or the action when OnClick is empty.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);

  // Synchronous message delivery through WindowProc.
  std::intptr_t Perform(unsigned msg, std::intptr_t wparam, std::intptr_t lparam) override;
  // The window procedure in use: WndProc unless something (a resizer) put
  // its own in front; whoever replaces it keeps the old one and calls it
  // for what it does not handle.
  std::function<void(TMessage&)> WindowProc;
  // Mouse input from the window system, through WindowProc; true when the
  // base handling ran (the window system may then act on it), false when a
  // replaced window procedure kept it.
  bool InputMouse(unsigned msg, TShiftState shift, int x, int y);

  // Repaint requests for the renderer.
  void Invalidate() { Changed(TChangeKind::ckRepaint); }
  void Repaint() { Changed(TChangeKind::ckRepaint); }
  virtual void Update() { Changed(TChangeKind::ckRepaint); }

  // Scales bounds (and the font unless ParentFont) by m / d, truncating
  // toward zero. Windowed controls scale their children too.
  virtual void ChangeScale(int m, int d);

  // Observer (the renderer); one per control, not owned.
  void SetObserver(IControlObserver* observer) { FObserver = observer; }
  IControlObserver* Observer() const { return FObserver; }
  // Reports a change to the observer.
  void Changed(TChangeKind kind);

  void ActionChanged(TBasicAction& action) override;

 protected:
  // The base window procedure: mouse messages to MouseDown/Move/Up and
  // DblClick, CM_VISIBLECHANGED to CMVisibleChanged; others are ignored.
  virtual void WndProc(TMessage& message);
  // The visibility changed (notice sent by SetVisible).
  virtual void CMVisibleChanged(TMessage& message);
  void Notification(TComponent* component, TOperation operation) override;
  // The parent's font or colour changed.
  virtual void ParentFontChanged();
  virtual void ParentColorChanged();
  // Used by SetBounds without re-aligning (alignment itself).
  void SetBoundsQuiet(int left, int top, int width, int height);

 private:
  friend class TWinControl;
  void FontChanged();

  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  TAlign FAlign = alNone;
  bool FVisible = true;
  bool FEnabled = true;
  std::string FText;
  TFont FFont;
  bool FParentFont = true;
  bool FFontFromParent = false;
  TColor FColor = clBtnFace;
  bool FParentColor = false;
  std::string FHint;
  bool FShowHint = false;
  TCursor FCursor = crDefault;
  TPopupMenu* FPopupMenu = nullptr;
  TBasicAction* FAction = nullptr;
  IControlObserver* FObserver = nullptr;
  bool FDefaultMouse = false;
};

// A control that can hold child controls and take the keyboard focus.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner = nullptr);
  ~TWinControl() override;
  const char* ClassName() const override { return "TWinControl"; }
  bool IsWindowed() const override { return true; }

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int index) const { return FControls.at(static_cast<std::size_t>(index)); }

  // Tab order among the parent's windowed children (0 first). Set while a
  // description is read, it is applied when the control is loaded.
  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value) { FTabStop = value; }
  // Windowed children in tab order.
  std::vector<TWinControl*> TabList() const { return FTabList; }

  // Has the focus: the active control of its form.
  bool Focused() const;
  // Can take the focus now: visible and enabled, with every parent up to
  // the form visible and enabled.
  virtual bool CanFocus() const;
  // Gives the focus to this control (through its form).
  virtual void SetFocus();

  // Moves the focus from cur to the next (or previous) control in tab order
  // inside this control: depth-first through containers, only controls
  // that can take the focus and, with checkTabStop, have TabStop; wraps
  // around. Nothing happens when no such control exists.
  void SelectNext(TWinControl* cur, bool goForward, bool checkTabStop = true);
  TWinControl* FindNextControl(TWinControl* cur, bool goForward, bool checkTabStop) const;
  // Every windowed control inside, depth-first in tab order.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

  // A key arrived (key 0 swallows it). The base runs OnKeyDown.
  virtual void KeyDown(unsigned short& key, TShiftState shift);
  virtual void KeyUp(unsigned short& key, TShiftState shift);
  // A character arrived before the control acts on it: let it through,
  // replace it, or set it to 0 to swallow it. The base runs OnKeyPress.
  virtual void KeyPress(char& key);
  // The focus arrived / left. The bases run OnEnter / OnExit.
  virtual void DoEnter();
  virtual void DoExit();

  // Key input from the window system on this (focused) control: the
  // form's key preview, the form's shortcuts, then KeyDown. Tab moves the
  // focus (Shift+Tab backwards). True when the key goes on to the base
  // handling of the window system.
  bool InputKeyDown(unsigned short& key, TShiftState shift);
  // Character input: the form's key preview, then KeyPress. True when the
  // (possibly replaced) character goes on to the base handling.
  bool InputKeyPress(char& key);
  // What the base control does with a key or character that passed (the
  // model's stand-in for the window system's own handling). The renderer
  // lets the widget do it instead.
  virtual void DefaultKeyDown(unsigned short key, TShiftState shift);
  virtual void DefaultKeyPress(char key);
  // Typing on the model alone: InputKeyDown then DefaultKeyDown /
  // InputKeyPress then DefaultKeyPress.
  void PressKey(unsigned short key, TShiftState shift = 0);
  void TypeChar(char key);
  void TypeText(std::string_view text);

  // Lays out the aligned children inside the client area: alTop, alBottom,
  // alLeft, alRight, then alClient, each in order of position.
  virtual void AlignControls();
  void Realign() { AlignControls(); }
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();

  void SetBounds(int left, int top, int width, int height) override;
  void ChangeScale(int m, int d) override;
  void Loaded() override;

 protected:
  friend class TControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void ParentFontChanged() override;
  void ParentColorChanged() override;
  // Border drawn inside the bounds, in pixels (client area inset).
  virtual int BorderWidth() const { return 0; }

 private:
  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  bool FTabStop = false;
  int FPendingTabOrder = -1;
  int FAlignLevel = 0;
  bool FAligning = false;
};

// Key and shift state as a shortcut code: the key plus 0x2000 Shift,
// 0x4000 Ctrl, 0x8000 Alt (112 = F1, 16451 = Ctrl+C).
using TShortCut = std::uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(unsigned short key, TShiftState shift);
void ShortCutToKey(TShortCut shortcut, unsigned short& key, TShiftState& shift);
// "F1", "Ctrl+C", "Shift+Alt+F2"; "" for 0.
std::string ShortCutToText(TShortCut shortcut);

// The caption without its access-key marks: "&File" -> "File", "&&" -> "&".
std::string StripHotkey(std::string_view caption);

}  // namespace orv::platform
