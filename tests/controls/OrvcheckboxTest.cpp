#include "orv/controls/Orvcheckbox.h"

#include <gtest/gtest.h>

#include "Controlfakes.h"

namespace orv::controls {
namespace {

using testing::MakeNumber;
using testing::TMemoryConnection;

struct ConditionCase {
  TCheckCondition Condition;
  double ConditionValue;
  double CheckedValue;
  double Value;
  bool Checked;
};

TEST(CheckCondition, DecidesTheCheckedState) {
  const ConditionCase cases[] = {
      {ccEqualTo, 5, 1, 5, true},       {ccEqualTo, 5, 1, 4, false},         {ccNotEqualTo, 0, 1, 0, false},
      {ccNotEqualTo, 0, 1, 3, true},    {ccMinorOf, 9000, 6000, 8000, true}, {ccMinorOf, 9000, 6000, 9000, false},
      {ccGreaterOf, 10, 1, 10.5, true}, {ccGreaterOf, 10, 1, 10, false},     {ccMaskedBit, 4, 4, 13, true},
      {ccMaskedBit, 4, 4, 9, false},    {ccMaskedBit, 12, 8, 9.7, true},     {ccMaskedBit, 12, 8, 13, false},
  };
  for (const ConditionCase& c : cases)
    EXPECT_EQ(CheckedForValue(c.Condition, c.ConditionValue, c.CheckedValue, c.Value), c.Checked)
        << c.Condition << " " << c.Value;
}

TEST(CheckCondition, MaskedBitWriteKeepsTheOtherBits) {
  EXPECT_EQ(MaskedBitValue(13, 4, 0), 9);
  EXPECT_EQ(MaskedBitValue(9, 4, 4), 13);
  EXPECT_EQ(MaskedBitValue(0xF0, 0x0C, 0xFF), 0xFC);
}

class CheckBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetBounds(0, 0, 800, 600);
    box = new TOrvCheckBox(&form);
    box->SetParent(&form);
    box->OnClick = [this](platform::TComponent*) { ++clicks; };
  }
  TMemoryConnection connection;
  platform::TForm form;
  TOrvCheckBox* box = nullptr;
  int clicks = 0;
};

TEST_F(CheckBoxTest, NewBoxDefaults) {
  EXPECT_EQ(box->Condition(), ccNotEqualTo);
  EXPECT_EQ(box->ConditionValue(), 0.0);
  EXPECT_EQ(box->CheckedValue, 1.0);
  EXPECT_EQ(box->UncheckedValue, 0.0);
  ASSERT_NE(box->Resizer(), nullptr);
  EXPECT_TRUE(box->InitData());
}

TEST_F(CheckBoxTest, OverRevvingSwitchWritesUnclamped) {
  auto* revs = MakeNumber(&form, connection, 50, 0, 8000);
  connection.Ecu.Memory[50] = 8000;
  box->SetNumber(revs);
  box->SetCheckCondition(ccMinorOf);
  box->SetConditionValue(9000);
  box->CheckedValue = 6000;
  box->UncheckedValue = 12000;
  box->InitData();
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(connection.Ecu.Writes.empty());
  box->Toggle();
  EXPECT_EQ(clicks, 1);
  ASSERT_EQ(connection.Ecu.Writes.size(), 1u);
  EXPECT_EQ(connection.Ecu.Writes[0].Value, 12000);
  EXPECT_FALSE(revs->DisableLimits);
  EXPECT_FALSE(box->Checked());
  box->Toggle();
  EXPECT_EQ(connection.Ecu.Writes.back().Value, 6000);
  EXPECT_TRUE(box->Checked());
}

TEST_F(CheckBoxTest, MaskedBitSetsAndClearsItsBits) {
  auto* flags = MakeNumber(&form, connection, 51, 0, 255);
  connection.Ecu.Memory[51] = 13;
  box->SetNumber(flags);
  box->SetCheckCondition(ccMaskedBit);
  box->SetConditionValue(4);
  box->CheckedValue = 4;
  box->UncheckedValue = 0;
  box->InitData();
  EXPECT_TRUE(box->Checked());
  box->Toggle();
  EXPECT_EQ(connection.Ecu.Memory[51], 9);
  EXPECT_FALSE(box->Checked());
  box->Toggle();
  EXPECT_EQ(connection.Ecu.Memory[51], 13);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(connection.Ecu.Writes.size(), 2u);
}

TEST_F(CheckBoxTest, MaskedBitWritesNothingWhenTheValueCannotBeRead) {
  auto* flags = MakeNumber(&form, connection, 52, 0, 255);
  connection.Ecu.Memory[52] = 13;
  box->SetNumber(flags);
  box->SetCheckCondition(ccMaskedBit);
  box->SetConditionValue(4);
  box->CheckedValue = 4;
  box->InitData();
  connection.Ecu.FailReads = true;
  flags->DataValid = false;
  box->Toggle();
  EXPECT_TRUE(connection.Ecu.Writes.empty());
}

TEST_F(CheckBoxTest, DataChangedNeverWrites) {
  auto* flags = MakeNumber(&form, connection, 53, 0, 255);
  box->SetNumber(flags);
  box->SetCheckCondition(ccEqualTo);
  box->SetConditionValue(1);
  for (std::int32_t raw : {1, 0, 1, 1, 0}) {
    connection.Ecu.Memory[53] = raw;
    flags->DataValid = false;
    box->Perform(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(flags), 0);
    EXPECT_EQ(box->Checked(), raw == 1);
  }
  const std::int32_t received = 1;
  box->Perform(platform::WM_DATAAVAILABLE, reinterpret_cast<std::intptr_t>(&received), 0);
  EXPECT_TRUE(box->Checked());
  EXPECT_TRUE(connection.Ecu.Writes.empty());
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(box->ClicksDisabled);
}

TEST_F(CheckBoxTest, UnboundToggleWritesNothingAndItemDestructionUnbinds) {
  auto* flags = MakeNumber(&form, connection, 54, 0, 255);
  box->Toggle();
  EXPECT_EQ(clicks, 1);
  box->SetNumber(flags);
  delete flags;
  EXPECT_EQ(box->Value(), nullptr);
  box->Toggle();
  box->Perform(platform::WM_DATACHANGED, 0, 0);
  EXPECT_TRUE(connection.Ecu.Writes.empty());
}

TEST_F(CheckBoxTest, DesignedFormsKeepTheirState) {
  auto* flags = MakeNumber(&form, connection, 55, 0, 255);
  connection.Ecu.Memory[55] = 1;
  box->SetNumber(flags);
  box->SetDesigning(true);
  box->SetupCheckedState(1);
  EXPECT_FALSE(box->Checked());
}

}  // namespace
}  // namespace orv::controls
