// Any text given to the description reader is either read or refused with a
// line number; it never crashes and never leaves components of its own
// behind after a refusal.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "orv/platform/Description.h"

namespace {

using orv::platform::TClassBuilder;
using orv::platform::TClassRegistry;
using orv::platform::TComponent;
using orv::platform::TDescValue;
using orv::platform::TReaderContext;

using TNotifyEvent = std::function<void(TComponent*)>;

class TFuzzPart : public TComponent {
 public:
  using TComponent::TComponent;
  const char* ClassName() const override { return "TFuzzPart"; }
  std::string Caption;
};

class TFuzzItem : public TComponent {
 public:
  explicit TFuzzItem(TComponent* owner) : TComponent(owner), Part(new TFuzzPart(this)) {}
  const char* ClassName() const override { return "TFuzzItem"; }
  void SetLink(TFuzzItem* link) {
    if (Link != nullptr) RemoveFreeNotification(Link);
    Link = link;
    if (Link != nullptr) FreeNotification(Link);
  }

  int Number = 0;
  double Value = 0;
  bool Flag = false;
  unsigned Bits = 0;
  std::string Text;
  std::vector<std::string> Lines;
  std::vector<double> Coeffs;
  TFuzzItem* Link = nullptr;
  TNotifyEvent OnChange;
  TFuzzPart* Part;

 protected:
  void Notification(TComponent* component, orv::platform::TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == orv::platform::TOperation::opRemove && component == Link) Link = nullptr;
  }
};

class TFuzzRoot : public TComponent {
 public:
  using TComponent::TComponent;
  const char* ClassName() const override { return "TFuzzRoot"; }
};

TClassRegistry MakeRegistry() {
  TClassRegistry r;
  TClassBuilder<TFuzzPart>(r, "TFuzzPart", "", false).String("Caption", [](TFuzzPart& o, const std::string& v) {
    o.Caption = v;
  });
  TClassBuilder<TFuzzItem>(r, "TFuzzItem", "")
      .Int("Number", [](TFuzzItem& o, int v) { o.Number = v; })
      .Float("Value", [](TFuzzItem& o, double v) { o.Value = v; })
      .Bool("Flag", [](TFuzzItem& o, bool v) { o.Flag = v; })
      .Enum("Kind", {{"ttNone", 0}, {"ttFormula", 1}}, [](TFuzzItem& o, int v) { o.Number = v; })
      .Set("Options", {"raMove", "raHorizontal"}, [](TFuzzItem& o, unsigned v) { o.Bits = v; })
      .String("Text", [](TFuzzItem& o, const std::string& v) { o.Text = v; })
      .Strings("Items.Strings", [](TFuzzItem& o, const std::vector<std::string>& v) { o.Lines = v; })
      .Ref<TFuzzItem>("Link", [](TFuzzItem& o, TFuzzItem* v) { o.SetLink(v); })
      .Event<TNotifyEvent>("OnChange", [](TFuzzItem& o, TNotifyEvent e) { o.OnChange = std::move(e); })
      .Sub("Part", [](TFuzzItem& o) -> TComponent* { return o.Part; })
      .Defined("Coeffs", [](TFuzzItem& o, const TDescValue& v, TReaderContext& ctx) {
        if (v.kind != TDescValue::Kind::List) ctx.Fail(v.Line, "a list is expected");
        for (const TDescValue& item : v.Items) o.Coeffs.push_back(item.AsDouble());
      });
  TClassBuilder<TFuzzRoot>(r, "TFuzzRoot", "", false).Method<TNotifyEvent>("DoChange", [](TFuzzRoot&) -> TNotifyEvent {
    return [](TComponent*) {};
  });
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const TClassRegistry registry = MakeRegistry();
  TFuzzRoot root;
  std::string error;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (!orv::platform::TryReadDescription(root, text, registry, &error)) {
    if (root.ComponentCount() != 0 || root.IsLoading() || error.rfind("line ", 0) != 0) std::abort();
  }
  return 0;
}
