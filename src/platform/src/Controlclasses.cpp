#include "orv/platform/Controlclasses.h"

#include <string>
#include <utility>
#include <vector>

#include "orv/platform/Actions.h"
#include "orv/platform/Extctrls.h"
#include "orv/platform/Forms.h"
#include "orv/platform/Grids.h"
#include "orv/platform/Menus.h"
#include "orv/platform/Stdctrls.h"

namespace orv::platform {

namespace {

using TEnumValues = std::vector<std::pair<std::string, int>>;

const TEnumValues kAlign{{"alNone", alNone}, {"alTop", alTop},     {"alBottom", alBottom},
                         {"alLeft", alLeft}, {"alRight", alRight}, {"alClient", alClient}};
const TEnumValues kAlignment{
    {"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}};
const TEnumValues kLayout{{"tlTop", tlTop}, {"tlCenter", tlCenter}, {"tlBottom", tlBottom}};
const TEnumValues kBevelCut{{"bvNone", bvNone}, {"bvLowered", bvLowered}, {"bvRaised", bvRaised}, {"bvSpace", bvSpace}};
const TEnumValues kBorderStyle{
    {"bsNone", bsNone},     {"bsSingle", bsSingle},         {"bsSizeable", bsSizeable},
    {"bsDialog", bsDialog}, {"bsToolWindow", bsToolWindow}, {"bsSizeToolWin", bsSizeToolWin}};
const TEnumValues kCursor{{"crDefault", crDefault},
                          {"crArrow", crArrow},
                          {"crHourGlass", crHourGlass},
                          {"crAppStart", crAppStart},
                          {"crHandPoint", crHandPoint}};
const TEnumValues kStaticBorder{{"sbsNone", sbsNone}, {"sbsSingle", sbsSingle}, {"sbsSunken", sbsSunken}};
const TEnumValues kBevelKind{{"bkNone", bkNone}, {"bkTile", bkTile}, {"bkSoft", bkSoft}, {"bkFlat", bkFlat}};
const TEnumValues kComboStyle{{"csDropDown", csDropDown}, {"csSimple", csSimple}, {"csDropDownList", csDropDownList}};
const TEnumValues kScrollStyle{
    {"ssNone", ssNone}, {"ssHorizontal", ssHorizontal}, {"ssVertical", ssVertical}, {"ssBoth", ssBoth}};
const TEnumValues kButtonLayout{{"blGlyphLeft", blGlyphLeft},
                                {"blGlyphRight", blGlyphRight},
                                {"blGlyphTop", blGlyphTop},
                                {"blGlyphBottom", blGlyphBottom}};
const TEnumValues kModalResult{{"mrNone", mrNone},   {"mrOk", mrOk},       {"mrCancel", mrCancel},
                               {"mrAbort", mrAbort}, {"mrRetry", mrRetry}, {"mrIgnore", mrIgnore},
                               {"mrYes", mrYes},     {"mrNo", mrNo}};
const TEnumValues kCheckState{{"cbUnchecked", cbUnchecked}, {"cbChecked", cbChecked}, {"cbGrayed", cbGrayed}};
const TEnumValues kBevelShape{
    {"bsBox", bsBox},           {"bsFrame", bsFrame},         {"bsTopLine", bsTopLine}, {"bsBottomLine", bsBottomLine},
    {"bsLeftLine", bsLeftLine}, {"bsRightLine", bsRightLine}, {"bsSpacer", bsSpacer}};
const TEnumValues kBevelStyle{{"bsLowered", bsLowered}, {"bsRaised", bsRaised}};
const TEnumValues kPosition{{"poDesigned", poDesigned},
                            {"poDefault", poDefault},
                            {"poDefaultPosOnly", poDefaultPosOnly},
                            {"poDefaultSizeOnly", poDefaultSizeOnly},
                            {"poScreenCenter", poScreenCenter},
                            {"poDesktopCenter", poDesktopCenter},
                            {"poMainFormCenter", poMainFormCenter},
                            {"poOwnerFormCenter", poOwnerFormCenter}};
const TEnumValues kWindowState{{"wsNormal", wsNormal}, {"wsMinimized", wsMinimized}, {"wsMaximized", wsMaximized}};
const std::vector<std::string> kFontStyles{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
const std::vector<std::string> kBorderIcons{"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};
const std::vector<std::string> kGridOptions{"goFixedVertLine",    "goFixedHorzLine",     "goVertLine",  "goHorzLine",
                                            "goRangeSelect",      "goDrawFocusSelected", "goRowSizing", "goColSizing",
                                            "goRowMoving",        "goEditing",           "goTabs",      "goRowSelect",
                                            "goAlwaysShowEditor", "goThumbTracking"};

// A colour: a number or a colour name.
TColor ColorValue(const TDescValue& v, TReaderContext& ctx) {
  if (v.kind == TDescValue::Kind::Integer) return static_cast<TColor>(v.Int);
  TColor c = clBlack;
  if (v.kind == TDescValue::Kind::Ident && ColorFromName(v.Text, c)) return c;
  ctx.Fail(v.Line, "a colour is expected");
}

unsigned StyleBits(const TDescValue& v, const std::vector<std::string>& names, TReaderContext& ctx) {
  if (v.kind != TDescValue::Kind::Set) ctx.Fail(v.Line, "a set in brackets is expected");
  unsigned bits = 0;
  for (const std::string& n : v.Names) {
    bool found = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (SameName(names[i], n)) {
        bits |= 1u << i;
        found = true;
      }
    }
    if (!found) ctx.Fail(v.Line, "unknown set member '" + n + "'");
  }
  return bits;
}

int IntValue(const TDescValue& v, TReaderContext& ctx) {
  if (v.kind != TDescValue::Kind::Integer) ctx.Fail(v.Line, "an integer is expected");
  return static_cast<int>(v.Int);
}

// Font.Name, Font.Height, Font.Size, Font.Style, Font.Color (and the
// platform's Font.Charset, kept for compatibility and ignored) on a font
// that get(o) answers.
template <class T>
void FontProperties(TClassBuilder<T>& b, const std::string& prefix, std::function<TFont&(T&)> get) {
  b.Raw(prefix + ".Charset", [](T&, const TDescValue&, TReaderContext&) {})
      .Raw(prefix + ".Color",
           [get](T& o, const TDescValue& v, TReaderContext& ctx) { get(o).SetColor(ColorValue(v, ctx)); })
      .Raw(prefix + ".Height",
           [get](T& o, const TDescValue& v, TReaderContext& ctx) { get(o).SetHeight(IntValue(v, ctx)); })
      .Raw(prefix + ".Size",
           [get](T& o, const TDescValue& v, TReaderContext& ctx) { get(o).SetSize(IntValue(v, ctx)); })
      .String(prefix + ".Name", [get](T& o, const std::string& n) { get(o).SetName(n); })
      .Raw(prefix + ".Style",
           [get](T& o, const TDescValue& v, TReaderContext& ctx) { get(o).SetStyle(StyleBits(v, kFontStyles, ctx)); });
}

template <class T>
TClassBuilder<T>& Picture(TClassBuilder<T>& b, const std::string& name, std::function<void(T&, const TPicture&)> set) {
  return b.String(name + ".Resource", [set](T& o, const std::string& res) {
    TPicture p;
    p.ResourceName = res;
    set(o, p);
  });
}

template <class T>
TClassBuilder<T>& NotifyEvent(TClassBuilder<T>& b, const std::string& name, TNotifyEvent T::*member) {
  return b.template Event<TNotifyEvent>(name, [member](T& o, TNotifyEvent e) { o.*member = std::move(e); });
}

// One status panel's setting by name.
void SetPanelProperty(TStatusPanel& panel, const std::string& name, const TDescValue& v, TReaderContext& ctx) {
  if (SameName(name, "Text")) {
    if (v.kind != TDescValue::Kind::String) ctx.Fail(v.Line, "a quoted text is expected");
    panel.SetText(v.Text);
  } else if (SameName(name, "Width")) {
    panel.SetWidth(IntValue(v, ctx));
  } else if (SameName(name, "Color")) {
    panel.SetColor(ColorValue(v, ctx));
  } else if (SameName(name, "Alignment")) {
    if (v.kind != TDescValue::Kind::Ident) ctx.Fail(v.Line, "an alignment is expected");
    for (const auto& [n, value] : kAlignment) {
      if (SameName(n, v.Text)) return panel.SetAlignment(static_cast<TAlignment>(value));
    }
    ctx.Fail(v.Line, "unknown value '" + v.Text + "'");
  } else if (SameName(name, "Bevel")) {
    if (v.kind != TDescValue::Kind::Ident) ctx.Fail(v.Line, "a bevel is expected");
    for (const auto& [n, value] : kBevelCut) {
      if (SameName(n, v.Text)) return panel.SetBevel(static_cast<TBevelCut>(value));
    }
    ctx.Fail(v.Line, "unknown value '" + v.Text + "'");
  } else if (SameName(name, "Font.Name")) {
    if (v.kind != TDescValue::Kind::String) ctx.Fail(v.Line, "a quoted text is expected");
    panel.Font().SetName(v.Text);
  } else if (SameName(name, "Font.Height")) {
    panel.Font().SetHeight(IntValue(v, ctx));
  } else if (SameName(name, "Font.Size")) {
    panel.Font().SetSize(IntValue(v, ctx));
  } else if (SameName(name, "Font.Color")) {
    panel.Font().SetColor(ColorValue(v, ctx));
  } else if (SameName(name, "Font.Style")) {
    panel.Font().SetStyle(StyleBits(v, kFontStyles, ctx));
  } else if (SameName(name, "Font.Charset")) {
  } else {
    ctx.Fail(v.Line, "unknown panel property '" + name + "'");
  }
}

const char* const kPanelProperties[] = {"Text",      "Width",       "Color",     "Alignment",  "Bevel",
                                        "Font.Name", "Font.Height", "Font.Size", "Font.Color", "Font.Style"};

void RegisterControl(TClassRegistry& r) {
  TClassBuilder<TControl> b(r, "TControl", "", false);
  b.Int("Left", [](TControl& o, int v) { o.SetLeft(v); })
      .Int("Top", [](TControl& o, int v) { o.SetTop(v); })
      .Int("Width", [](TControl& o, int v) { o.SetWidth(v); })
      .Int("Height", [](TControl& o, int v) { o.SetHeight(v); })
      .Bool("ParentFont", [](TControl& o, bool v) { o.SetParentFont(v); });
  FontProperties<TControl>(b, "Font", [](TControl& o) -> TFont& { return o.Font(); });
  b.Bool("ParentColor", [](TControl& o, bool v) { o.SetParentColor(v); })
      .Raw("Color", [](TControl& o, const TDescValue& v, TReaderContext& ctx) { o.SetColor(ColorValue(v, ctx)); })
      .String("Caption", [](TControl& o, const std::string& v) { o.SetCaption(v); })
      .String("Text", [](TControl& o, const std::string& v) { o.SetText(v); })
      .Enum("Align", kAlign, [](TControl& o, int v) { o.SetAlign(static_cast<TAlign>(v)); })
      .Bool("Visible", [](TControl& o, bool v) { o.SetVisible(v); })
      .Bool("Enabled", [](TControl& o, bool v) { o.SetEnabled(v); })
      .String("Hint", [](TControl& o, const std::string& v) { o.SetHint(v); })
      .Bool("ParentShowHint", [](TControl&, bool) {})
      .Bool("ShowHint", [](TControl& o, bool v) { o.SetShowHint(v); })
      .Enum("Cursor", kCursor, [](TControl& o, int v) { o.SetCursor(static_cast<TCursor>(v)); })
      .Int("Tag", [](TControl& o, int v) { o.Tag = v; })
      .Ref<TPopupMenu>("PopupMenu", [](TControl& o, TPopupMenu* m) { o.SetPopupMenu(m); })
      .Ref<TBasicAction>("Action", [](TControl& o, TBasicAction* a) { o.SetAction(a); });
  NotifyEvent<TControl>(b, "OnClick", &TControl::OnClick);
  NotifyEvent<TControl>(b, "OnDblClick", &TControl::OnDblClick);
  NotifyEvent<TControl>(b, "OnResize", &TControl::OnResize);
  b.Event<TMouseEvent>("OnMouseDown", [](TControl& o, TMouseEvent e) { o.OnMouseDown = std::move(e); })
      .Event<TMouseEvent>("OnMouseUp", [](TControl& o, TMouseEvent e) { o.OnMouseUp = std::move(e); })
      .Event<TMouseMoveEvent>("OnMouseMove", [](TControl& o, TMouseMoveEvent e) { o.OnMouseMove = std::move(e); });
}

void RegisterWinControl(TClassRegistry& r) {
  TClassBuilder<TWinControl> b(r, "TWinControl", "TControl", false);
  b.Int("TabOrder", [](TWinControl& o, int v) { o.SetTabOrder(v); }).Bool("TabStop", [](TWinControl& o, bool v) {
    o.SetTabStop(v);
  });
  NotifyEvent<TWinControl>(b, "OnEnter", &TWinControl::OnEnter);
  NotifyEvent<TWinControl>(b, "OnExit", &TWinControl::OnExit);
  b.Event<TKeyEvent>("OnKeyDown", [](TWinControl& o, TKeyEvent e) { o.OnKeyDown = std::move(e); })
      .Event<TKeyEvent>("OnKeyUp", [](TWinControl& o, TKeyEvent e) { o.OnKeyUp = std::move(e); })
      .Event<TKeyPressEvent>("OnKeyPress", [](TWinControl& o, TKeyPressEvent e) { o.OnKeyPress = std::move(e); });
}

template <class T>
void RegisterLabel(TClassRegistry& r, const std::string& name) {
  TClassBuilder<T> b(r, name, "TControl");
  b.Bool("AutoSize", [](T& o, bool v) { o.SetAutoSize(v); })
      .Enum("Alignment", kAlignment, [](T& o, int v) { o.SetAlignment(static_cast<TAlignment>(v)); })
      .Enum("Layout", kLayout, [](T& o, int v) { o.SetLayout(static_cast<TTextLayout>(v)); })
      .Bool("WordWrap", [](T& o, bool v) { o.SetWordWrap(v); })
      .Bool("Transparent", [](T& o, bool v) { o.SetTransparent(v); })
      .Bool("ShowAccelChar", [](T& o, bool v) { o.SetShowAccelChar(v); })
      .template Ref<TWinControl>("FocusControl", [](T& o, TWinControl* c) { o.SetFocusControl(c); });
}

void RegisterEdits(TClassRegistry& r) {
  {
    TClassBuilder<TCustomEdit> b(r, "TCustomEdit", "TWinControl", false);
    b.Enum("Alignment", kAlignment, [](TCustomEdit& o, int v) { o.SetAlignment(static_cast<TAlignment>(v)); })
        .Bool("ReadOnly", [](TCustomEdit& o, bool v) { o.SetReadOnly(v); })
        .Int("MaxLength", [](TCustomEdit& o, int v) { o.SetMaxLength(v); })
        .Bool("AutoSelect", [](TCustomEdit& o, bool v) { o.SetAutoSelect(v); })
        .Bool("WantReturns", [](TCustomEdit& o, bool v) { o.SetWantReturns(v); })
        .Bool("WordWrap", [](TCustomEdit& o, bool v) { o.SetWordWrap(v); })
        .Enum("ScrollBars", kScrollStyle, [](TCustomEdit& o, int v) { o.SetScrollBars(static_cast<TScrollStyle>(v)); })
        .Raw("BorderStyle", [](TCustomEdit&, const TDescValue&, TReaderContext&) {});
    NotifyEvent<TCustomEdit>(b, "OnChange", &TCustomEdit::OnChange);
  }
  TClassBuilder<TEdit>(r, "TEdit", "TCustomEdit");
  TClassBuilder<TMemo>(r, "TMemo", "TCustomEdit")
      .Strings("Lines.Strings", [](TMemo& o, const std::vector<std::string>& lines) {
        std::string text;
        for (std::size_t i = 0; i < lines.size(); ++i) text += (i > 0 ? "\n" : "") + lines[i];
        o.SetText(text);
      });
}

void RegisterCombo(TClassRegistry& r) {
  {
    TClassBuilder<TCustomComboBox> b(r, "TCustomComboBox", "TWinControl", false);
    b.Enum("Style", kComboStyle, [](TCustomComboBox& o, int v) { o.SetStyle(static_cast<TComboBoxStyle>(v)); })
        .Int("DropDownCount", [](TCustomComboBox& o, int v) { o.SetDropDownCount(v); })
        .Int("ItemHeight", [](TCustomComboBox&, int) {})
        .Strings("Items.Strings", [](TCustomComboBox& o, const std::vector<std::string>& v) { o.SetItems(v); })
        .Int("ItemIndex", [](TCustomComboBox& o, int v) { o.SetItemIndex(v); });
    NotifyEvent<TCustomComboBox>(b, "OnChange", &TCustomComboBox::OnChange);
    NotifyEvent<TCustomComboBox>(b, "OnDropDown", &TCustomComboBox::OnDropDown);
    NotifyEvent<TCustomComboBox>(b, "OnCloseUp", &TCustomComboBox::OnCloseUp);
    NotifyEvent<TCustomComboBox>(b, "OnSelect", &TCustomComboBox::OnSelect);
  }
  TClassBuilder<TComboBox>(r, "TComboBox", "TCustomComboBox");
}

void RegisterButtons(TClassRegistry& r) {
  TClassBuilder<TButton>(r, "TButton", "TWinControl")
      .Enum("ModalResult", kModalResult, [](TButton& o, int v) { o.SetModalResult(v); })
      .Bool("Default", [](TButton& o, bool v) { o.SetDefault(v); })
      .Bool("Cancel", [](TButton& o, bool v) { o.SetCancel(v); });
  {
    TClassBuilder<TBitBtn> b(r, "TBitBtn", "TButton");
    Picture<TBitBtn>(b, "Glyph", [](TBitBtn& o, const TPicture& p) { o.SetGlyph(p); })
        .Enum("Layout", kButtonLayout, [](TBitBtn& o, int v) { o.SetLayout(static_cast<TButtonLayout>(v)); })
        .Int("Margin", [](TBitBtn& o, int v) { o.SetMargin(v); })
        .Int("Spacing", [](TBitBtn& o, int v) { o.SetSpacing(v); })
        .Int("NumGlyphs", [](TBitBtn&, int) {});
  }
  {
    TClassBuilder<TSpeedButton> b(r, "TSpeedButton", "TControl");
    Picture<TSpeedButton>(b, "Glyph", [](TSpeedButton& o, const TPicture& p) { o.SetGlyph(p); })
        .Enum("Layout", kButtonLayout, [](TSpeedButton& o, int v) { o.SetLayout(static_cast<TButtonLayout>(v)); })
        .Int("GroupIndex", [](TSpeedButton& o, int v) { o.SetGroupIndex(v); })
        .Bool("AllowAllUp", [](TSpeedButton& o, bool v) { o.SetAllowAllUp(v); })
        .Bool("Down", [](TSpeedButton& o, bool v) { o.SetDown(v); })
        .Bool("Flat", [](TSpeedButton& o, bool v) { o.SetFlat(v); });
  }
  {
    TClassBuilder<TCustomCheckBox> b(r, "TCustomCheckBox", "TWinControl", false);
    b.Enum("Alignment", kAlignment, [](TCustomCheckBox& o, int v) { o.SetAlignment(static_cast<TAlignment>(v)); })
        .Bool("AllowGrayed", [](TCustomCheckBox& o, bool v) { o.SetAllowGrayed(v); })
        // Loading a state is not a click.
        .Bool("Checked",
              [](TCustomCheckBox& o, bool v) {
                const bool old = o.ClicksDisabled;
                o.ClicksDisabled = true;
                o.SetChecked(v);
                o.ClicksDisabled = old;
              })
        .Enum("State", kCheckState, [](TCustomCheckBox& o, int v) {
          const bool old = o.ClicksDisabled;
          o.ClicksDisabled = true;
          o.SetState(static_cast<TCheckBoxState>(v));
          o.ClicksDisabled = old;
        });
  }
  TClassBuilder<TCheckBox>(r, "TCheckBox", "TCustomCheckBox");
  TClassBuilder<TGroupBox>(r, "TGroupBox", "TWinControl");
  TClassBuilder<TRadioGroup>(r, "TRadioGroup", "TGroupBox")
      .Int("Columns", [](TRadioGroup& o, int v) { o.SetColumns(v); })
      .Strings("Items.Strings", [](TRadioGroup& o, const std::vector<std::string>& v) { o.SetItems(v); })
      .Int("ItemIndex", [](TRadioGroup& o, int v) { o.SetItemIndex(v); });
}

void RegisterContainers(TClassRegistry& r) {
  TClassBuilder<TStaticText>(r, "TStaticText", "TWinControl")
      .Enum("Alignment", kAlignment, [](TStaticText& o, int v) { o.SetAlignment(static_cast<TAlignment>(v)); })
      .Bool("AutoSize", [](TStaticText& o, bool v) { o.SetAutoSize(v); })
      .Enum("BevelKind", kBevelKind, [](TStaticText& o, int v) { o.SetBevelKind(static_cast<TBevelKind>(v)); })
      .Enum("BorderStyle", kStaticBorder,
            [](TStaticText& o, int v) { o.SetBorderStyle(static_cast<TStaticBorderStyle>(v)); })
      .Ref<TWinControl>("FocusControl", [](TStaticText& o, TWinControl* c) { o.SetFocusControl(c); });
  TClassBuilder<TPanel>(r, "TPanel", "TWinControl")
      .Enum("Alignment", kAlignment, [](TPanel& o, int v) { o.SetAlignment(static_cast<TAlignment>(v)); })
      .Enum("BevelInner", kBevelCut, [](TPanel& o, int v) { o.SetBevelInner(static_cast<TBevelCut>(v)); })
      .Enum("BevelOuter", kBevelCut, [](TPanel& o, int v) { o.SetBevelOuter(static_cast<TBevelCut>(v)); })
      .Int("BevelWidth", [](TPanel& o, int v) { o.SetBevelWidth(v); })
      .Enum("BorderStyle", kBorderStyle, [](TPanel& o, int v) { o.SetBorderStyle(static_cast<TBorderStyle>(v)); });
  TClassBuilder<TBevel>(r, "TBevel", "TControl")
      .Enum("Shape", kBevelShape, [](TBevel& o, int v) { o.SetShape(static_cast<TBevelShape>(v)); })
      .Enum("Style", kBevelStyle, [](TBevel& o, int v) { o.SetStyle(static_cast<TBevelStyle>(v)); });
  TClassBuilder<TScrollBox>(r, "TScrollBox", "TWinControl")
      .Enum("BorderStyle", kBorderStyle, [](TScrollBox& o, int v) { o.SetBorderStyle(static_cast<TBorderStyle>(v)); })
      .Int("VertScrollBar.Margin", [](TScrollBox& o, int v) { o.VertScrollBar().Margin = v; })
      .Bool("VertScrollBar.Visible", [](TScrollBox& o, bool v) { o.VertScrollBar().Visible = v; })
      .Int("HorzScrollBar.Margin", [](TScrollBox& o, int v) { o.HorzScrollBar().Margin = v; })
      .Bool("HorzScrollBar.Visible", [](TScrollBox& o, bool v) { o.HorzScrollBar().Visible = v; });
  {
    TClassBuilder<TImage> b(r, "TImage", "TControl");
    b.Bool("Center", [](TImage& o, bool v) { o.SetCenter(v); })
        .Bool("Stretch", [](TImage& o, bool v) { o.SetStretch(v); })
        .Bool("Transparent", [](TImage& o, bool v) { o.SetTransparent(v); });
    Picture<TImage>(b, "Picture", [](TImage& o, const TPicture& p) { o.SetPicture(p); });
  }
  TClassBuilder<TAnimate>(r, "TAnimate", "TControl")
      .Int("ResId", [](TAnimate& o, int v) { o.SetResId(v); })
      .Int("FrameInterval", [](TAnimate& o, int v) { o.SetFrameInterval(v); })
      .Int("StopFrame", [](TAnimate& o, int v) { o.SetStopFrame(v); })
      .Bool("Active", [](TAnimate& o, bool v) { o.SetActive(v); });
  TClassBuilder<TTabSheet>(r, "TTabSheet", "TWinControl")
      .Bool("TabVisible", [](TTabSheet& o, bool v) { o.SetTabVisible(v); })
      .Ref<TPageControl>("PageControl", [](TTabSheet& o, TPageControl* p) { o.SetPageControl(p); });
  {
    TClassBuilder<TPageControl> b(r, "TPageControl", "TWinControl");
    b.Bool("HotTrack", [](TPageControl& o, bool v) {
       o.SetHotTrack(v);
     }).Ref<TTabSheet>("ActivePage", [](TPageControl& o, TTabSheet* p) { o.SetActivePage(p); });
    NotifyEvent<TPageControl>(b, "OnChange", &TPageControl::OnChange);
  }
  {
    TClassBuilder<TStatusBar> b(r, "TStatusBar", "TWinControl");
    b.Bool("SizeGrip", [](TStatusBar& o, bool v) {
       o.SetSizeGrip(v);
     }).Raw("Panels", [](TStatusBar& o, const TDescValue& v, TReaderContext& ctx) {
      if (v.kind != TDescValue::Kind::List) ctx.Fail(v.Line, "a list of panels is expected");
      o.ClearPanels();
      for (const TDescValue& spec : v.Items) {
        if (spec.kind != TDescValue::Kind::List)
          ctx.Fail(spec.Line, "a panel (a list of names and values) is expected");
        TStatusPanel& panel = o.AddPanel();
        if (spec.Items.size() % 2 != 0) ctx.Fail(spec.Line, "a panel needs a value after every name");
        for (std::size_t i = 0; i + 1 < spec.Items.size(); i += 2) {
          const TDescValue& name = spec.Items[i];
          if (name.kind != TDescValue::Kind::String && name.kind != TDescValue::Kind::Ident)
            ctx.Fail(name.Line, "a panel property name is expected");
          SetPanelProperty(panel, name.Text, spec.Items[i + 1], ctx);
        }
      }
    });
    // The same settings one by one: Panel0.Text, Panel1.Font.Color ...
    for (int i = 0; i < 4; ++i) {
      for (const char* prop : kPanelProperties) {
        const std::string p = prop;
        b.Raw("Panel" + std::to_string(i) + "." + p, [i, p](TStatusBar& o, const TDescValue& v, TReaderContext& ctx) {
          SetPanelProperty(o.EnsurePanel(i), p, v, ctx);
        });
      }
    }
  }
  TClassBuilder<TProgressFill>(r, "TProgressFill", "TControl")
      .Int("Position", [](TProgressFill& o, int v) { o.SetPosition(v); })
      .Raw("BarColor",
           [](TProgressFill& o, const TDescValue& v, TReaderContext& ctx) { o.SetBarColor(ColorValue(v, ctx)); })
      .Bool("Gradient", [](TProgressFill& o, bool v) { o.SetGradient(v); })
      .Raw("GradientStart",
           [](TProgressFill& o, const TDescValue& v, TReaderContext& ctx) { o.SetGradientStart(ColorValue(v, ctx)); })
      .Raw("GradientEnd",
           [](TProgressFill& o, const TDescValue& v, TReaderContext& ctx) { o.SetGradientEnd(ColorValue(v, ctx)); })
      .Int("GradientSteps", [](TProgressFill& o, int v) { o.SetGradientSteps(v); })
      .Enum("Bevel", kBevelCut, [](TProgressFill& o, int v) { o.SetBevel(static_cast<TBevelCut>(v)); })
      .Bool("ShowText", [](TProgressFill& o, bool v) { o.SetShowText(v); });
}

void RegisterGrids(TClassRegistry& r) {
  TClassBuilder<TCustomGrid>(r, "TCustomGrid", "TWinControl", false)
      .Int("ColCount", [](TCustomGrid& o, int v) { o.SetColCount(v); })
      .Int("RowCount", [](TCustomGrid& o, int v) { o.SetRowCount(v); })
      .Int("FixedCols", [](TCustomGrid& o, int v) { o.SetFixedCols(v); })
      .Int("FixedRows", [](TCustomGrid& o, int v) { o.SetFixedRows(v); })
      .Int("DefaultColWidth", [](TCustomGrid& o, int v) { o.SetDefaultColWidth(v); })
      .Int("DefaultRowHeight", [](TCustomGrid& o, int v) { o.SetDefaultRowHeight(v); })
      .Bool("DefaultDrawing", [](TCustomGrid& o, bool v) { o.SetDefaultDrawing(v); })
      .Raw("FixedColor",
           [](TCustomGrid& o, const TDescValue& v, TReaderContext& ctx) { o.SetFixedColor(ColorValue(v, ctx)); })
      .Int("GridLineWidth", [](TCustomGrid& o, int v) { o.SetGridLineWidth(v); })
      .Set("Options", kGridOptions, [](TCustomGrid& o, unsigned v) { o.SetOptions(v); })
      .Raw("ScrollBars", [](TCustomGrid&, const TDescValue&, TReaderContext&) {})
      .Event<TDrawCellEvent>("OnDrawCell", [](TCustomGrid& o, TDrawCellEvent e) { o.OnDrawCell = std::move(e); });
  TClassBuilder<TDrawGrid>(r, "TDrawGrid", "TCustomGrid");
  TClassBuilder<TStringGrid>(r, "TStringGrid", "TDrawGrid");
}

void RegisterForm(TClassRegistry& r) {
  TClassBuilder<TForm> b(r, "TForm", "TWinControl");
  b.Enum("BorderStyle", kBorderStyle, [](TForm& o, int v) { o.SetBorderStyle(static_cast<TBorderStyle>(v)); })
      .Set("BorderIcons", kBorderIcons, [](TForm& o, unsigned v) { o.SetBorderIcons(v); })
      .Int("ClientWidth", [](TForm& o, int v) { o.SetClientWidth(v); })
      .Int("ClientHeight", [](TForm& o, int v) { o.SetClientHeight(v); })
      .Enum("Position", kPosition, [](TForm& o, int v) { o.SetPosition(static_cast<TPosition>(v)); })
      .Enum("WindowState", kWindowState, [](TForm& o, int v) { o.SetWindowState(static_cast<TWindowState>(v)); })
      .Bool("KeyPreview", [](TForm& o, bool v) { o.SetKeyPreview(v); })
      .Int("Constraints.MinWidth", [](TForm& o, int v) { o.Constraints().MinWidth = v; })
      .Int("Constraints.MinHeight", [](TForm& o, int v) { o.Constraints().MinHeight = v; })
      .Int("Constraints.MaxWidth", [](TForm& o, int v) { o.Constraints().MaxWidth = v; })
      .Int("Constraints.MaxHeight", [](TForm& o, int v) { o.Constraints().MaxHeight = v; })
      // Design-time settings of the platform, accepted and not used.
      .Raw("PixelsPerInch", [](TForm&, const TDescValue&, TReaderContext&) {})
      .Raw("TextHeight", [](TForm&, const TDescValue&, TReaderContext&) {})
      .Raw("OldCreateOrder", [](TForm&, const TDescValue&, TReaderContext&) {})
      .Raw("Scaled", [](TForm&, const TDescValue&, TReaderContext&) {})
      .Ref<TMainMenu>("Menu", [](TForm& o, TMainMenu* m) { o.SetMenu(m); });
  Picture<TForm>(b, "Icon", [](TForm& o, const TPicture& p) { o.SetIcon(p); });
  NotifyEvent<TForm>(b, "OnCreate", &TForm::OnCreate);
  NotifyEvent<TForm>(b, "OnShow", &TForm::OnShow);
  NotifyEvent<TForm>(b, "OnHide", &TForm::OnHide);
  NotifyEvent<TForm>(b, "OnActivate", &TForm::OnActivate);
  NotifyEvent<TForm>(b, "OnDestroy", &TForm::OnDestroy);
  b.Event<TCloseEvent>("OnClose", [](TForm& o, TCloseEvent e) {
     o.OnClose = std::move(e);
   }).Event<TCloseQueryEvent>("OnCloseQuery", [](TForm& o, TCloseQueryEvent e) { o.OnCloseQuery = std::move(e); });
}

void RegisterActionsAndMenus(TClassRegistry& r) {
  {
    TClassBuilder<TBasicAction> b(r, "TBasicAction", "", false);
    b.String("Caption", [](TBasicAction& o, const std::string& v) { o.SetCaption(v); })
        .String("Category", [](TBasicAction& o, const std::string& v) { o.SetCategory(v); })
        .Bool("Checked", [](TBasicAction& o, bool v) { o.SetChecked(v); })
        .Bool("Enabled", [](TBasicAction& o, bool v) { o.SetEnabled(v); })
        .Bool("Visible", [](TBasicAction& o, bool v) { o.SetVisible(v); })
        .String("Hint", [](TBasicAction& o, const std::string& v) { o.SetHint(v); })
        .Int("ImageIndex", [](TBasicAction& o, int v) { o.SetImageIndex(v); })
        .Int("ShortCut", [](TBasicAction& o, int v) { o.SetShortCut(static_cast<TShortCut>(v)); })
        .Int("Tag", [](TBasicAction& o, int v) { o.Tag = v; })
        .Ref<TActionList>("ActionList", [](TBasicAction& o, TActionList* l) { o.SetActionList(l); });
    NotifyEvent<TBasicAction>(b, "OnExecute", &TBasicAction::OnExecute);
    NotifyEvent<TBasicAction>(b, "OnUpdate", &TBasicAction::OnUpdate);
  }
  TClassBuilder<TAction>(r, "TAction", "TBasicAction");
  TClassBuilder<TActionList>(r, "TActionList", "").Raw("Images", [](TActionList&, const TDescValue&, TReaderContext&) {
  });
  {
    TClassBuilder<TMenuItem> b(r, "TMenuItem", "");
    b.String("Caption", [](TMenuItem& o, const std::string& v) { o.SetCaption(v); })
        .Bool("Checked", [](TMenuItem& o, bool v) { o.SetChecked(v); })
        .Bool("Enabled", [](TMenuItem& o, bool v) { o.SetEnabled(v); })
        .Bool("Visible", [](TMenuItem& o, bool v) { o.SetVisible(v); })
        .Bool("RadioItem", [](TMenuItem& o, bool v) { o.SetRadioItem(v); })
        .Int("GroupIndex", [](TMenuItem& o, int v) { o.SetGroupIndex(v); })
        .String("Hint", [](TMenuItem& o, const std::string& v) { o.SetHint(v); })
        .Int("ShortCut", [](TMenuItem& o, int v) { o.SetShortCut(static_cast<TShortCut>(v)); })
        .Int("Tag", [](TMenuItem& o, int v) { o.Tag = v; })
        .Ref<TBasicAction>("Action", [](TMenuItem& o, TBasicAction* a) { o.SetAction(a); });
    NotifyEvent<TMenuItem>(b, "OnClick", &TMenuItem::OnClick);
  }
  TClassBuilder<TMenu>(r, "TMenu", "", false).Raw("Images", [](TMenu&, const TDescValue&, TReaderContext&) {});
  TClassBuilder<TMainMenu>(r, "TMainMenu", "TMenu");
  {
    TClassBuilder<TPopupMenu> b(r, "TPopupMenu", "TMenu");
    NotifyEvent<TPopupMenu>(b, "OnPopup", &TPopupMenu::OnPopup);
  }
}

}  // namespace

void RegisterControlClasses(TClassRegistry& registry) {
  RegisterControl(registry);
  RegisterWinControl(registry);
  RegisterLabel<TLabel>(registry, "TLabel");
  RegisterEdits(registry);
  RegisterCombo(registry);
  RegisterButtons(registry);
  RegisterContainers(registry);
  RegisterGrids(registry);
  RegisterForm(registry);
  RegisterActionsAndMenus(registry);
  // The status bar and progress fill of the original design's third-party
  // set go by their own class names too.
  if (const TClassInfo* bar = registry.Find("TStatusBar")) {
    TClassInfo alias = *bar;
    alias.Name = "TLMDStatusBar";
    registry.Register(std::move(alias));
  }
  if (const TClassInfo* fill = registry.Find("TProgressFill")) {
    TClassInfo alias = *fill;
    alias.Name = "TLMDProgressFill";
    registry.Register(std::move(alias));
  }
}

}  // namespace orv::platform
