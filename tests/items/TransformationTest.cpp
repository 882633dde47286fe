// Transformations and external coefficients.

#include <gtest/gtest.h>

#include <memory>

#include "Itemfakes.h"
#include "orv/items/Serialdata.h"
#include "orv/items/Transformations.h"
#include "orv/platform/Messages.h"

namespace orv::items {
namespace {

using testing::TRecordingListener;

TEST(TransformationTest, LinearIdentityAndInverse) {
  TLinearTransformation t(nullptr);
  for (double x : {-3.5, 0.0, 1.0, 250.0}) {
    double y = 99;
    EXPECT_EQ(t.Transform(x, y), 0);
    EXPECT_EQ(y, x);
  }
  t.CoeffA = 4;
  t.CoeffB = -4;
  t.CoeffC = 0.5;
  t.CoeffD = 1000;
  for (double x : {-7.0, 0.0, 3.0, 101.0, 255.0}) {
    double y = 0, back = 0;
    ASSERT_EQ(t.Transform(x, y), 0);
    ASSERT_EQ(t.AntiTransform(y, back), 0);
    EXPECT_NEAR(back, x, 1e-9) << x;
  }
}

TEST(TransformationTest, ZeroDenominatorLeavesTheOutput) {
  TLinearTransformation t(nullptr);
  t.CoeffC = 1;
  t.CoeffD = 2;
  double y = 7;
  EXPECT_EQ(t.Transform(-2, y), 1);
  EXPECT_EQ(y, 7);
  t.CoeffA = 2;
  EXPECT_EQ(t.AntiTransform(2, y), 1);
  EXPECT_EQ(y, 7);
  EXPECT_TRUE(IsOrvTransformation(&t));
  EXPECT_FALSE(IsOrvTransformation(nullptr));
  TOrvNumber n(nullptr);
  EXPECT_FALSE(IsOrvTransformation(&n));
  EXPECT_TRUE(IsOrvSerialData(&n));
  EXPECT_FALSE(IsOrvSerialData(&t));
}

TEST(TransformationTest, ExternalCoefficientReplacesTheCoefficient) {
  TOrvNumber scale(nullptr), item(nullptr);
  scale.EcuValue = 3;
  item.Transformation = ttFormula;
  item.SetExtCoeff(1, &scale);
  EXPECT_EQ(item.ConvertValueToUser(10), 30);
  double a, b, c, d;
  item.GetFormulaCoefficients(a, b, c, d);
  EXPECT_EQ(a, 3);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(d, 1);
  // With a transformation of the same letter the transformed value is used.
  TLinearTransformation t(nullptr);
  t.CoeffB = 1;
  item.SetTransformation(1, &t);
  EXPECT_EQ(item.ConvertValueToUser(10), 40);
  // A failing transformation leaves the external value.
  t.CoeffD = 0;
  t.CoeffC = 0;
  EXPECT_EQ(item.ConvertValueToUser(10), 30);
}

TEST(TransformationTest, TransformationWithoutExternalItemChangesNothing) {
  TOrvNumber item(nullptr);
  item.Transformation = ttFormula;
  item.CoeffA = 2;
  TLinearTransformation t(nullptr);
  t.CoeffA = 100;
  item.SetTransformation(1, &t);
  EXPECT_EQ(item.ConvertValueToUser(10), 20);
  EXPECT_EQ(item.GetTransformation(1), &t);
  item.SetTransformation(5, &t);  // no such letter
}

TEST(TransformationTest, ExternalCoefficientRules) {
  TOrvNumber item(nullptr), other(nullptr);
  TOrvPacketData packet(nullptr);
  item.SetExtCoeff(1, &item);
  EXPECT_EQ(item.GetExtCoeff(1), nullptr);
  item.SetExtCoeff(1, &packet);
  EXPECT_EQ(item.GetExtCoeff(1), nullptr);
  item.SetExtCoeff(2, &other);
  EXPECT_EQ(item.GetExtCoeff(2), &other);
  EXPECT_EQ(other.NotificationList().size(), 1u);
  item.SetExtCoeff(2, nullptr);
  EXPECT_TRUE(other.NotificationList().empty());
}

TEST(TransformationTest, ListeningItemForwardsTheOthersMessage) {
  testing::TFakeConnection conn;
  TOrvNumber scale(nullptr), item(nullptr);
  scale.SetConnection(&conn);
  TRecordingListener control;
  item.AddNotificationList(&control);
  item.SetExtCoeff(3, &scale);
  scale.SetData(4);
  ASSERT_EQ(control.Count(platform::WM_DATACHANGED), 1);
  EXPECT_EQ(control.Messages[0].W, reinterpret_cast<std::intptr_t>(&scale));
}

TEST(TransformationTest, DestroyedReferencesFallBack) {
  TOrvNumber item(nullptr);
  item.Transformation = ttFormula;
  item.CoeffA = 2;
  auto scale = std::make_unique<TOrvNumber>(nullptr);
  auto t = std::make_unique<TLinearTransformation>(nullptr);
  scale->EcuValue = 5;
  item.SetExtCoeff(1, scale.get());
  item.SetTransformation(1, t.get());
  EXPECT_EQ(item.ConvertValueToUser(1), 5);
  t.reset();
  EXPECT_EQ(item.GetTransformation(1), nullptr);
  scale.reset();
  EXPECT_EQ(item.GetExtCoeff(1), nullptr);
  EXPECT_EQ(item.ConvertValueToUser(1), 2);
}

TEST(TransformationTest, DestroyedItemLeavesItsExternalItemsLists) {
  TOrvNumber scale(nullptr);
  {
    TOrvNumber item(nullptr);
    item.SetExtCoeff(1, &scale);
    item.SetExtCoeff(2, &scale);
    EXPECT_EQ(scale.NotificationList().size(), 1u);
  }
  EXPECT_TRUE(scale.NotificationList().empty());
  scale.NotifyData(platform::WM_DATACHANGED, 0, 0);
}

// Two items taking coefficients from each other must not recurse for ever.
TEST(TransformationTest, CircularReferencesTerminate) {
  TOrvNumber a(nullptr), b(nullptr);
  a.Transformation = ttFormula;
  b.Transformation = ttFormula;
  a.SetExtCoeff(1, &b);
  b.SetExtCoeff(1, &a);
  a.EcuValue = 2;
  b.EcuValue = 3;
  // The inner round of a uses a's own coefficients: a = 2, so b = 3·2 = 6.
  EXPECT_EQ(a.ConvertValueToUser(1), 6);
  TRecordingListener l;
  a.AddNotificationList(&l);
  b.NotifyData(platform::WM_DATACHANGED, 0, 0);
  EXPECT_GE(l.Messages.size(), 1u);
  EXPECT_LE(l.Messages.size(), 16u);
}

}  // namespace
}  // namespace orv::items
