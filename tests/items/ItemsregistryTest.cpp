// Items read from a stored description: property order, defined list
// properties, references, events and the after-loading defaults.

#include <gtest/gtest.h>

#include <string>

#include "Itemfakes.h"
#include "orv/items/Itemsregistry.h"
#include "orv/items/Serialdata.h"
#include "orv/items/Transformations.h"
#include "orv/items/Vectordata.h"
#include "orv/platform/Description.h"

namespace orv::items {
namespace {

using testing::TFakeConnection;
using testing::TFakeRefresher;

class TTestModule : public platform::TComponent {
 public:
  using platform::TComponent::TComponent;
  const char* ClassName() const override { return "TTestModule"; }
  int Gets = 0;
  int Errors = 0;
};

struct RegistryFixture : ::testing::Test {
  platform::TClassRegistry Registry;
  TTestModule Module{nullptr};

  void SetUp() override {
    RegisterItemClasses(Registry);
    platform::TClassBuilder<TTestModule>(Registry, "TTestModule", "")
        .Method<TNotifyEvent>("ItemGetData",
                              [](TTestModule& m) { return TNotifyEvent([&m](platform::TComponent*) { ++m.Gets; }); })
        .Method<TErrorEvent>("ItemError", [](TTestModule& m) {
          return TErrorEvent([&m](platform::TComponent*, int, bool) { ++m.Errors; });
        });
    platform::TClassBuilder<TFakeConnection>(Registry, "TFakeConnection", "");
    platform::TClassBuilder<TFakeRefresher>(Registry, "TFakeRefresher", "");
  }
  template <class T>
  T* Find(const char* name) {
    return dynamic_cast<T*>(Module.FindComponent(name));
  }
};

constexpr const char* kDescription = R"(object Module: TTestModule
  object Conn: TFakeConnection
  end
  object Refresher: TFakeRefresher
  end
  object Scale: TOrvNumber
    DefaultValue = 4.0
  end
  object Lin: TLinearTransformation
    Coeffs = (2.0 0.0 0.0 1.0)
  end
  object Item: TOrvNumber
    DefaultValue = 7.0
    DataMask = 240
    DataLength = 2
    Transformation = ttFormula
    Coeffs = (1.0 0.0 0.0 16.0)
    ConversionTable = (3 0.0 32.0 64.0 0.0 1.0 2.0)
    ValueMax = 1.0
    ValueMin = 5.0
    MeasureUnit = 's'
    StoreUserValue = False
    FileSection = 'CONFIGURAZIONE'
    FileKeyName = 'TEMPO'
  end
  object Linked: TOrvNumber
    Connection = Conn
    ExtCoeffB = Scale
    TransformationB = Lin
    Transformation = ttFormula
    ColIndex = 3
    RowIndex = 2
    Type = ntMatrixElement
    OnGetData = ItemGetData
    OnError = ItemError
  end
  object Live: TOrvPacketData
    DataRefresher = Refresher
    Active = True
    TimeInterval = 100
    Offset = 3
    OnGetData = ItemGetData
  end
  object Vec: TOrvVector
    DefaultValue = (8 1.0 2.0 3.0 4.0 5.0 6.0 7.0 8.0)
    ArrayDimension = 6
    Type = vtMatrixRow
    RowIndex = 2
  end
  object Map: TOrvMatrix
    DefaultValue = (2 3 1.0 2.0 3.0 4.0 5.0 6.0)
    RowCount = 2
    ColCount = 3
  end
end
)";

TEST_F(RegistryFixture, ReadsItemsInTheStoredOrder) {
  std::string error;
  ASSERT_TRUE(platform::TryReadDescription(Module, kDescription, Registry, &error)) << error;

  auto* item = Find<TOrvNumber>("Item");
  ASSERT_NE(item, nullptr);
  EXPECT_STREQ(item->ClassName(), "TOrvNumber");
  // DataLength came first, so the stored mask survived; the mask came
  // before DefaultValue, so the stored default survived.
  EXPECT_EQ(item->DataLength(), 2);
  EXPECT_EQ(item->DataMask(), 240);
  EXPECT_EQ(item->DefaultValue, 7.0);
  EXPECT_EQ(item->CoeffD, 16.0);
  EXPECT_EQ(item->TableCount(), 3);
  EXPECT_EQ(item->GetEcuTableValue(2), 64.0);
  EXPECT_EQ(item->GetUserTableValue(1), 1.0);
  EXPECT_EQ(item->ValueMin(), 5.0);  // accepted while loading
  EXPECT_EQ(item->ValueMax(), 1.0);
  EXPECT_EQ(item->MeasureUnit, "s");
  EXPECT_FALSE(item->StoreUserValue);
  EXPECT_EQ(item->FileKey(), "TEMPO");
  // After loading, the default became the raw value: 7 is clamped to
  // ValueMax 1, then (0 − 1·16) / (0 − 1) = 16.
  EXPECT_EQ(item->EcuValue, 16);
  EXPECT_FALSE(item->IsLoading());

  auto* linked = Find<TOrvNumber>("Linked");
  ASSERT_NE(linked, nullptr);
  EXPECT_EQ(linked->Connection(), Find<TFakeConnection>("Conn"));
  EXPECT_EQ(linked->GetExtCoeff(2), Find<TOrvNumber>("Scale"));
  EXPECT_EQ(linked->GetTransformation(2), Find<TLinearTransformation>("Lin"));
  EXPECT_EQ(linked->GetNumberType(), ntMatrixElement);
  EXPECT_EQ(linked->RowIndex(), 2);
  EXPECT_EQ(linked->ColIndex(), 3);
  double a, b, c, d;
  linked->GetFormulaCoefficients(a, b, c, d);
  EXPECT_EQ(b, 8.0);  // Scale's default 4, doubled by Lin
  const int gets = Module.Gets;
  linked->Load();
  EXPECT_EQ(Module.Gets, gets + 1);

  auto* live = Find<TOrvPacketData>("Live");
  auto* refresher = Find<TFakeRefresher>("Refresher");
  ASSERT_NE(live, nullptr);
  ASSERT_EQ(refresher->Entries.size(), 1u);
  EXPECT_TRUE(refresher->Entries[0].Active);
  EXPECT_EQ(refresher->Entries[0].Interval, 100);
  EXPECT_EQ(live->Offset, 3);
  EXPECT_TRUE(static_cast<bool>(live->OnGetData));

  auto* vec = Find<TOrvVector>("Vec");
  ASSERT_NE(vec, nullptr);
  EXPECT_EQ(vec->ArrayDimension(), 6);
  EXPECT_EQ(vec->GetVectorType(), vtMatrixRow);
  EXPECT_EQ(vec->RowIndex(), 2);
  EXPECT_EQ(vec->GetDefValue(5), 6.0);
  EXPECT_EQ(vec->Values(), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6}));

  auto* map = Find<TOrvMatrix>("Map");
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->GetMatrixType(), mtMatrix);
  EXPECT_EQ(map->GetDefValue(1, 2), 6.0);
  EXPECT_EQ(map->Value(1, 0), 4);
}

TEST_F(RegistryFixture, RefusesBadDescriptions) {
  const char* bad[] = {
      "object Module: TTestModule\n object X: TOrvSerialData\n end\nend\n",
      "object Module: TTestModule\n object X: TBaseTransformation\n end\nend\n",
      "object Module: TTestModule\n object X: TOrvNumber\n Coeffs = (1.0 2.0)\n end\nend\n",
      "object Module: TTestModule\n object X: TOrvNumber\n ConversionTable = (2 1.0 2.0)\n end\nend\n",
      "object Module: TTestModule\n object X: TOrvNumber\n Transformation = ttSomething\n end\nend\n",
      "object Module: TTestModule\n object X: TOrvNumber\n ExtCoeffA = Lin\n end\n object Lin: TLinearTransformation\n "
      "end\nend\n",
  };
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    TTestModule root(nullptr);
    std::string error;
    EXPECT_FALSE(platform::TryReadDescription(root, text, Registry, &error));
    EXPECT_EQ(root.ComponentCount(), 0);
  }
}

TEST_F(RegistryFixture, EmptyConversionTableLeavesNone) {
  const char* text = "object Module: TTestModule\n object X: TOrvNumber\n ConversionTable = (0)\n end\nend\n";
  std::string error;
  ASSERT_TRUE(platform::TryReadDescription(Module, text, Registry, &error)) << error;
  EXPECT_FALSE(Find<TOrvNumber>("X")->HasConversionTable());
}

}  // namespace
}  // namespace orv::items
