#include "orv/controls/Controlsregistry.h"

#include "orv/controls/Orvcheckbox.h"
#include "orv/controls/Orvcombobox.h"
#include "orv/controls/Orvlabel.h"
#include "orv/controls/Valueeditex.h"
#include "orv/platform/Controls.h"

namespace orv::controls {

using platform::TClassBuilder;
using platform::TDescValue;
using platform::TReaderContext;

namespace {

platform::TColor ReadColor(const TDescValue& v, TReaderContext& ctx) {
  if (v.kind == TDescValue::Kind::Integer) return static_cast<platform::TColor>(v.Int);
  platform::TColor color = 0;
  if (v.kind == TDescValue::Kind::Ident && platform::ColorFromName(v.Text, color)) return color;
  ctx.Fail(v.Line, "a colour is expected");
}

const std::vector<std::pair<std::string, int>> kAlignments = {{"taLeftJustify", platform::taLeftJustify},
                                                              {"taRightJustify", platform::taRightJustify},
                                                              {"taCenter", platform::taCenter}};

}  // namespace

void RegisterDataControlClasses(platform::TClassRegistry& registry) {
  TClassBuilder<TResizer>(registry, "TResizer", "", false)
      .Int("ResizingBorder", [](TResizer& r, int v) { r.SetResizingDistance(v); })
      .Set("ResizingMode", {"raVertical", "raHorizontal", "raCorner", "raMove"},
           [](TResizer& r, unsigned v) { r.SetResizingMode(v); })
      .Int("GridDimension", [](TResizer& r, int v) { r.SetGridSpacing(v); })
      .Bool("FixDblClick", [](TResizer& r, bool v) { r.SetFixDblClick(v); });

  TClassBuilder<TChildLabel>(registry, "TChildLabel", "TLabel", false)
      .Enum("LabelPosition", {{"lpAbove", lpAbove}, {"lpBelow", lpBelow}, {"lpLeft", lpLeft}, {"lpRight", lpRight}},
            [](TChildLabel& l, int v) { l.SetLabelPosition(static_cast<TLabelPosition>(v)); })
      .Int("LabelSpacing", [](TChildLabel& l, int v) { l.SetLabelSpacing(v); })
      .Enum("Alignment", kAlignments,
            [](TChildLabel& l, int v) { l.SetLabelAlignment(static_cast<platform::TAlignment>(v)); });

  TClassBuilder<TValueEditEx>(registry, "TValueEditEx", "TMemo")
      .Ref<items::TOrvNumber>("Value", [](TValueEditEx& e, items::TOrvNumber* n) { e.SetNumber(n); })
      .Bool("Validation", [](TValueEditEx& e, bool v) { e.Validation = v; })
      .Ref<platform::TWinControl>("NextControl", [](TValueEditEx& e, platform::TWinControl* c) { e.SetNextControl(c); })
      .Ref<platform::TWinControl>("PrevControl", [](TValueEditEx& e, platform::TWinControl* c) { e.SetPrevControl(c); })
      .Bool("ArrowMoveFocus", [](TValueEditEx& e, bool v) { e.ArrowMoveFocus = v; })
      .Enum("DataNotDefinedAspect", {{"ddNone", ddNone}, {"ddInvisible", ddInvisible}, {"ddDisabled", ddDisabled}},
            [](TValueEditEx& e, int v) { e.SetDataDefAspect(static_cast<TDataDefinedAspect>(v)); })
      .Bool("AutoSize", [](TValueEditEx& e, bool v) { e.AutoSize = v; })
      .Sub("EditLabel", [](TValueEditEx& e) -> platform::TComponent* { return e.EditLabel(); })
      .Sub("Resizer", [](TValueEditEx& e) -> platform::TComponent* { return e.Resizer(); });

  TClassBuilder<TOrvComboBox>(registry, "TOrvComboBox", "TCustomComboBox")
      .Ref<items::TOrvNumber>("Value", [](TOrvComboBox& c, items::TOrvNumber* n) { c.SetNumber(n); })
      .Ref<platform::TWinControl>("NextControl", [](TOrvComboBox& c, platform::TWinControl* w) { c.SetNextControl(w); })
      .Ref<platform::TWinControl>("PrevControl", [](TOrvComboBox& c, platform::TWinControl* w) { c.SetPrevControl(w); })
      .Bool("ArrowMoveFocus", [](TOrvComboBox& c, bool v) { c.ArrowMoveFocus = v; })
      .Sub("ComboLabel", [](TOrvComboBox& c) -> platform::TComponent* { return c.ComboLabel(); })
      .Sub("Resizer", [](TOrvComboBox& c) -> platform::TComponent* { return c.Resizer(); });

  TClassBuilder<TOrvLabel>(registry, "TOrvLabel", "TLabel")
      .Ref<items::TOrvSerialData>("Value", [](TOrvLabel& l, items::TOrvSerialData* d) { l.SetNumber(d); })
      .Enum("Style",
            {{"lsValue", lsValue},
             {"lsLabeledValue", lsLabeledValue},
             {"lsFlag", lsFlag},
             {"lsLabeledFlag", lsLabeledFlag}},
            [](TOrvLabel& l, int v) { l.SetLabelStyle(static_cast<TLabelStyle>(v)); })
      .String("DataFormat", [](TOrvLabel& l, const std::string& v) { l.SetDataFormat(v); })
      .String("OnText", [](TOrvLabel& l, const std::string& v) { l.SetStatusText(1, v); })
      .String("OffText", [](TOrvLabel& l, const std::string& v) { l.SetStatusText(2, v); })
      .Raw("OnColor",
           [](TOrvLabel& l, const TDescValue& v, TReaderContext& ctx) { l.SetStatusColor(1, ReadColor(v, ctx)); })
      .Raw("OffColor",
           [](TOrvLabel& l, const TDescValue& v, TReaderContext& ctx) { l.SetStatusColor(2, ReadColor(v, ctx)); })
      .Bool("State", [](TOrvLabel& l, bool v) { l.SetState(v); })
      .Sub("ChildLabel", [](TOrvLabel& l) -> platform::TComponent* { return l.ChildLabel(); })
      .Sub("Resizer", [](TOrvLabel& l) -> platform::TComponent* { return l.Resizer(); });

  TClassBuilder<TOrvCheckBox>(registry, "TOrvCheckBox", "TCustomCheckBox")
      .Ref<items::TOrvNumber>("Value", [](TOrvCheckBox& c, items::TOrvNumber* n) { c.SetNumber(n); })
      .Enum("Condition",
            {{"ccEqualTo", ccEqualTo},
             {"ccNotEqualTo", ccNotEqualTo},
             {"ccMinorOf", ccMinorOf},
             {"ccGreaterOf", ccGreaterOf},
             {"ccMaskedBit", ccMaskedBit}},
            [](TOrvCheckBox& c, int v) { c.SetCheckCondition(static_cast<TCheckCondition>(v)); })
      .Float("ConditionValue", [](TOrvCheckBox& c, double v) { c.SetConditionValue(v); })
      .Float("UncheckedValue", [](TOrvCheckBox& c, double v) { c.UncheckedValue = v; })
      .Sub("Resizer", [](TOrvCheckBox& c) -> platform::TComponent* { return c.Resizer(); })
      .Defined("CheckedValue", [](TOrvCheckBox& c, const TDescValue& v, TReaderContext& ctx) {
        if (!v.IsNumber()) ctx.Fail(v.Line, "a number is expected");
        c.CheckedValue = v.AsDouble();
      });
}

}  // namespace orv::controls
