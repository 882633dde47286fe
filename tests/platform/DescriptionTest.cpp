#include "orv/platform/Description.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace orv::platform {
namespace {

// What happened while a description was read, in order.
std::vector<std::string>& Journal() {
  static std::vector<std::string> journal;
  return journal;
}

using TNotifyEvent = std::function<void(TComponent*)>;
using TCountEvent = std::function<int()>;

class TCaptionPart : public TComponent {
 public:
  using TComponent::TComponent;
  const char* ClassName() const override { return "TCaptionPart"; }
  std::string Caption;
};

class TBase : public TComponent {
 public:
  using TComponent::TComponent;
  const char* ClassName() const override { return "TBase"; }
  void SetParentComponent(TComponent* parent) override { ParentSeen = parent; }
  void Loaded() override {
    Journal().push_back("Loaded " + Name() + (LinkAtLoaded() ? " linked" : ""));
    TComponent::Loaded();
  }
  virtual bool LinkAtLoaded() const { return false; }

  int Alpha = 0;
  int Beta = 0;
  TComponent* ParentSeen = nullptr;
  bool LoadingWhileSet = false;
};

class TOther : public TComponent {
 public:
  using TComponent::TComponent;
  const char* ClassName() const override { return "TOther"; }
};

class TDerived : public TBase {
 public:
  explicit TDerived(TComponent* owner) : TBase(owner), Part(new TCaptionPart(this)) { Part->SetName("Part"); }
  const char* ClassName() const override { return "TDerived"; }
  bool LinkAtLoaded() const override { return Link != nullptr; }

  void SetLink(TBase* link) {
    if (Link != nullptr) RemoveFreeNotification(Link);
    Link = link;
    if (Link != nullptr) FreeNotification(Link);
  }

  int Gamma = 0;
  std::vector<double> Coeffs;
  std::vector<std::string> Lines;
  std::string Caption;
  TBase* Link = nullptr;
  TNotifyEvent OnFire;
  TCaptionPart* Part;  // owned

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TBase::Notification(component, operation);
    if (operation == TOperation::opRemove && component == Link) Link = nullptr;
  }
};

class TRootForm : public TComponent {
 public:
  using TComponent::TComponent;
  const char* ClassName() const override { return "TRootForm"; }
  void Loaded() override {
    Journal().push_back("Loaded root");
    TComponent::Loaded();
  }
  void FireHandler(TComponent* sender) { Fired.push_back(sender); }
  int CountHandler() { return 7; }

  std::string Title;
  std::vector<TComponent*> Fired;
};

TClassRegistry MakeRegistry() {
  TClassRegistry r;
  TClassBuilder<TCaptionPart>(r, "TCaptionPart", "", false)
      .String("Caption", [](TCaptionPart& o, const std::string& v) { o.Caption = v; });
  TClassBuilder<TBase>(r, "TBase", "")
      .Int("Alpha",
           [](TBase& o, int v) {
             Journal().push_back("Alpha");
             o.LoadingWhileSet = o.IsLoading();
             o.Alpha = v;
           })
      .Int("Beta", [](TBase& o, int v) {
        Journal().push_back("Beta");
        o.Beta = v;
      });
  TClassBuilder<TDerived>(r, "TDerived", "TBase")
      .Int("Gamma",
           [](TDerived& o, int v) {
             Journal().push_back("Gamma");
             o.Gamma = v;
           })
      .String("Caption", [](TDerived& o, const std::string& v) { o.Caption = v; })
      .Ref<TBase>("Link",
                  [](TDerived& o, TBase* v) {
                    Journal().push_back("Link");
                    o.SetLink(v);
                  })
      .Event<TNotifyEvent>("OnFire", [](TDerived& o, TNotifyEvent e) { o.OnFire = std::move(e); })
      .Strings("Items.Strings", [](TDerived& o, const std::vector<std::string>& v) { o.Lines = v; })
      .Sub("Part", [](TDerived& o) -> TComponent* { return o.Part; })
      .Defined("Coeffs", [](TDerived& o, const TDescValue& v, TReaderContext& ctx) {
        Journal().push_back("Coeffs");
        if (v.kind != TDescValue::Kind::List) ctx.Fail(v.Line, "a list of numbers is expected");
        o.Coeffs.clear();
        for (const TDescValue& item : v.Items) {
          if (!item.IsNumber()) ctx.Fail(item.Line, "a number is expected");
          o.Coeffs.push_back(item.AsDouble());
        }
      });
  TClassBuilder<TOther>(r, "TOther", "");
  TClassBuilder<TRootForm>(r, "TRootForm", "", false)
      .String("Title", [](TRootForm& o, const std::string& v) { o.Title = v; })
      .Method<TNotifyEvent>("FireHandler",
                            [](TRootForm& o) -> TNotifyEvent { return [&o](TComponent* s) { o.FireHandler(s); }; })
      .Method<TCountEvent>("CountHandler",
                           [](TRootForm& o) -> TCountEvent { return [&o] { return o.CountHandler(); }; });
  return r;
}

class DescriptionTest : public ::testing::Test {
 protected:
  void SetUp() override { Journal().clear(); }
  const TClassRegistry Registry = MakeRegistry();
  TRootForm Root;
};

TEST_F(DescriptionTest, BuildsNestedObjectsWithOwnerParentAndValues) {
  const char* text = R"(object FormTest: TRootForm
  Title = 'Giri' #176 'C ''x'''
  object First: TDerived
    Gamma = $1F
    Alpha = -3
    Caption = 'one' +
      ' two'
    Items.Strings = (
      'a'
      'b' 'c' #33)
    Part.Caption = 'sub'  // a sub-component's property
    Coeffs = (4.0 -4.0 0.0 1000.0 1E-5)
    object Inner: TBase
      Beta = 2
    end
  end
end
)";
  ReadDescription(Root, text, Registry);

  EXPECT_EQ(Root.Name(), "FormTest");
  EXPECT_EQ(Root.Title, "Giri\u00B0C 'x'");
  ASSERT_EQ(Root.ComponentCount(), 2);
  auto* first = dynamic_cast<TDerived*>(Root.FindComponent("first"));
  auto* inner = dynamic_cast<TBase*>(Root.FindComponent("Inner"));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(first->Owner(), &Root);
  EXPECT_EQ(inner->Owner(), &Root);
  EXPECT_EQ(first->ParentSeen, &Root);
  EXPECT_EQ(inner->ParentSeen, first);
  EXPECT_EQ(first->Gamma, 31);
  EXPECT_EQ(first->Alpha, -3);
  EXPECT_EQ(first->Caption, "one two");
  EXPECT_EQ(first->Lines, (std::vector<std::string>{"a", "b", "c!"}));
  EXPECT_EQ(first->Part->Caption, "sub");
  EXPECT_EQ(first->Coeffs, (std::vector<double>{4.0, -4.0, 0.0, 1000.0, 1e-5}));
  EXPECT_EQ(inner->Beta, 2);
}

TEST_F(DescriptionTest, SetsPropertiesInDeclaredOrderBaseFirstDefinedLast) {
  const char* text = R"(object FormTest: TRootForm
  object First: TDerived
    Coeffs = (1 2)
    Gamma = 3
    Beta = 2
    Alpha = 1
  end
end)";
  ReadDescription(Root, text, Registry);
  const std::vector<std::string> expected = {"Alpha", "Beta", "Gamma", "Coeffs", "Loaded First", "Loaded root"};
  EXPECT_EQ(Journal(), expected);
}

TEST_F(DescriptionTest, ResolvesForwardReferenceBeforeLoaded) {
  const char* text = R"(object FormTest: TRootForm
  object First: TDerived
    Link = second
  end
  object Second: TBase
  end
end)";
  ReadDescription(Root, text, Registry);
  auto* first = dynamic_cast<TDerived*>(Root.FindComponent("First"));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Link, Root.FindComponent("Second"));
  // Loaded runs in creation order after every reference is set, the root last.
  const std::vector<std::string> expected = {"Link", "Loaded First linked", "Loaded Second", "Loaded root"};
  EXPECT_EQ(Journal(), expected);
  // The reference is a watched one: freeing the target clears it.
  delete Root.FindComponent("Second");
  EXPECT_EQ(first->Link, nullptr);
}

TEST_F(DescriptionTest, LoadingFlagIsOnWhileReadingAndOffAfter) {
  const char* text = R"(object FormTest: TRootForm
  object First: TDerived
    Alpha = 1
  end
end)";
  ReadDescription(Root, text, Registry);
  auto* first = dynamic_cast<TDerived*>(Root.FindComponent("First"));
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->LoadingWhileSet);
  EXPECT_FALSE(first->IsLoading());
  EXPECT_FALSE(Root.IsLoading());
}

TEST_F(DescriptionTest, BindsEventToRootMethodByName) {
  const char* text = R"(object FormTest: TRootForm
  object First: TDerived
    OnFire = firehandler
  end
end)";
  ReadDescription(Root, text, Registry);
  auto* first = dynamic_cast<TDerived*>(Root.FindComponent("First"));
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(first->OnFire);
  first->OnFire(first);
  ASSERT_EQ(Root.Fired.size(), 1u);
  EXPECT_EQ(Root.Fired[0], first);
}

TEST_F(DescriptionTest, RootNameAndExternalNamesResolve) {
  TBase outside(nullptr);
  TReadOptions options;
  options.ExternalResolver = [&](std::string_view name) -> TComponent* {
    return name == "Other.Thing" ? &outside : nullptr;
  };
  const char* text = R"(object FormTest: TRootForm
  object First: TDerived
    Link = Other.Thing
  end
end)";
  ReadDescription(Root, text, Registry, options);
  auto* first = dynamic_cast<TDerived*>(Root.FindComponent("First"));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Link, &outside);
}

TEST_F(DescriptionTest, RootOfAnotherClassIsRefused) {
  TOther other;
  std::string error;
  EXPECT_FALSE(TryReadDescription(other, "object X: TRootForm\nend\n", Registry, &error));
  EXPECT_EQ(error.rfind("line 1:", 0), 0u) << error;
}

struct RefusalCase {
  const char* Name;
  const char* Text;
  int Line;
};

class DescriptionRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(DescriptionRefusalTest, RefusesWithLineAndLeavesNothing) {
  const TClassRegistry registry = MakeRegistry();
  TRootForm root;
  std::string error;
  EXPECT_FALSE(TryReadDescription(root, GetParam().Text, registry, &error));
  EXPECT_EQ(error.rfind("line " + std::to_string(GetParam().Line) + ":", 0), 0u) << error;
  EXPECT_EQ(root.ComponentCount(), 0);
  EXPECT_FALSE(root.IsLoading());
  try {
    ReadDescription(root, GetParam().Text, registry);
    ADD_FAILURE() << "not refused";
  } catch (const TDescriptionError& e) {
    EXPECT_EQ(e.Line(), GetParam().Line);
  }
  EXPECT_EQ(root.ComponentCount(), 0);
}

// Where a case gets past the syntax, components exist before the refusal.
const RefusalCase kRefusals[] = {
    {"SyntaxError", "object F: TRootForm\n object A: TBase\n end\n object B: TBase\n  Alpha 3\n end\nend\n", 5},
    {"UnterminatedText", "object F: TRootForm\n object A: TBase\n end\n Title = 'abc\nend\n", 4},
    {"MissingEnd", "object F: TRootForm\n object A: TBase\n end\n", 4},
    {"UnknownClass", "object F: TRootForm\n object A: TBase\n end\n object B: TNowhere\n end\nend\n", 4},
    {"UnknownProperty", "object F: TRootForm\n object A: TBase\n end\n object B: TBase\n  Delta = 1\n end\nend\n", 5},
    {"UnknownSubProperty", "object F: TRootForm\n object A: TDerived\n  Part.Colour = 1\n end\nend\n", 3},
    {"BadValue", "object F: TRootForm\n object A: TBase\n  Alpha = 'x'\n end\nend\n", 3},
    {"BadListItem", "object F: TRootForm\n object A: TDerived\n  Coeffs = (1.0\n   'x')\n end\nend\n", 4},
    {"PropertyTwice", "object F: TRootForm\n object A: TBase\n  Alpha = 1\n  alpha = 2\n end\nend\n", 4},
    {"DuplicateName", "object F: TRootForm\n object A: TBase\n end\n object a: TBase\n end\nend\n", 4},
    {"DanglingReference", "object F: TRootForm\n object A: TDerived\n\n  Link = Nobody\n end\nend\n", 4},
    {"ReferenceOfWrongClass",
     "object F: TRootForm\n object A: TDerived\n  Link = B\n end\n object B: TOther\n end\nend\n", 3},
    {"UnknownHandler", "object F: TRootForm\n object A: TDerived\n  OnFire = Missing\n end\nend\n", 3},
    {"HandlerOfWrongType", "object F: TRootForm\n object A: TDerived\n  OnFire = CountHandler\n end\nend\n", 3},
    {"TextAfterEnd", "object F: TRootForm\n object A: TBase\n end\nend\nobject\n", 5},
};

INSTANTIATE_TEST_SUITE_P(Refusals, DescriptionRefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const ::testing::TestParamInfo<RefusalCase>& p) { return std::string(p.param.Name); });

TEST(DescriptionNesting, DeepNestingIsRefusedNotCrashing) {
  const TClassRegistry registry = MakeRegistry();
  TRootForm root;
  std::string text = "object F: TRootForm\n Title = ";
  text += std::string(100000, '(');
  std::string error;
  EXPECT_FALSE(TryReadDescription(root, text, registry, &error));
  EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
}

TEST(ClassRegistryTest, LineageAndInheritance) {
  const TClassRegistry registry = MakeRegistry();
  const auto lineage = registry.Lineage("TDerived");
  ASSERT_EQ(lineage.size(), 2u);
  EXPECT_EQ(lineage[0]->Name, "TBase");
  EXPECT_EQ(lineage[1]->Name, "TDerived");
  EXPECT_TRUE(registry.InheritsFrom("TDerived", "TBase"));
  EXPECT_FALSE(registry.InheritsFrom("TBase", "TDerived"));
  EXPECT_EQ(registry.Find("tderived"), lineage[1]);
  EXPECT_EQ(registry.Find("TMissing"), nullptr);
}

}  // namespace
}  // namespace orv::platform
