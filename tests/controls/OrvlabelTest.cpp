#include "orv/controls/Orvlabel.h"

#include <gtest/gtest.h>

#include <vector>

#include "Controlfakes.h"
#include "orv/items/Vectordata.h"
#include "orv/platform/NumberText.h"

namespace orv::controls {
namespace {

using testing::TMemoryConnection;

TEST(VectorTextOf, EndsAtTheFirstZeroOrFailedElement) {
  const std::vector<double> elements = {51, 46, 49, 0, 65};
  auto read = [&](int i, double& v) {
    v = elements[static_cast<std::size_t>(i)];
    return true;
  };
  EXPECT_EQ(VectorText(5, read), "3.1");
  EXPECT_EQ(VectorText(2, read), "3.");
  EXPECT_EQ(VectorText(0, read), "");
  // 64.5 rounds to 'A'; a failed read ends the text.
  auto partly = [](int i, double& v) {
    v = 64.5;
    return i < 2;
  };
  EXPECT_EQ(VectorText(4, partly), "AA");
}

class LabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetDecimalSeparator('.');
    form.SetBounds(0, 0, 800, 600);
    packet = new items::TOrvPacketData(&form, 3);
    packet->Transformation = items::ttFormula;
    packet->CoeffD = 1000.0;  // user value = raw / 1000
    packet->SetDataLength(2);
    label = new TOrvLabel(&form);
    label->SetParent(&form);
  }
  void TearDown() override { platform::SetDecimalSeparator('\0'); }
  void Receive(std::int32_t raw) {
    packet->EcuValue = raw;
    packet->NotifyData(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(packet), 0);
  }

  TMemoryConnection connection;
  platform::TForm form;
  items::TOrvPacketData* packet = nullptr;
  TOrvLabel* label = nullptr;
};

TEST_F(LabelTest, NewLabelShowsZeroWithCaption) {
  EXPECT_EQ(label->Style(), lsLabeledValue);
  ASSERT_NE(label->ChildLabel(), nullptr);
  EXPECT_EQ(label->ChildLabel()->FocusControl(), nullptr);
  EXPECT_EQ(label->ChildLabel()->Parent(), &form);
  EXPECT_EQ(label->Caption(), "0");
  EXPECT_EQ(label->OnText(), "ON");
  EXPECT_EQ(label->OffText(), "OFF");
  EXPECT_EQ(label->OnColor(), label->Font().Color());
  ASSERT_NE(label->Resizer(), nullptr);
}

TEST_F(LabelTest, ValueStylesFormatTheNumber) {
  const struct {
    const char* Format;
    std::int32_t Raw;
    double Scale;
    const char* Text;
  } cases[] = {{"0.00 V", 1234, 1000, "1.23 V"}, {"###0 RPM", 850, 1, "850 RPM"}, {"", 500, 1000, "0.5"}};
  label->SetNumber(packet);
  for (const auto& c : cases) {
    packet->CoeffD = c.Scale;
    label->SetDataFormat(c.Format);
    Receive(c.Raw);
    EXPECT_EQ(label->Caption(), c.Text) << c.Format;
  }
}

TEST_F(LabelTest, FormatUsesTheSystemSeparator) {
  platform::SetDecimalSeparator(',');
  label->SetNumber(packet);
  label->SetDataFormat("0.00 V");
  Receive(1234);
  EXPECT_EQ(label->Caption(), "1,23 V");
}

TEST_F(LabelTest, FlagStylesShowTextsAndColours) {
  label->SetNumber(packet);
  label->SetLabelStyle(lsLabeledFlag);
  label->SetStatusText(1, "ACCESO");
  label->SetStatusText(2, "SPENTO");
  label->SetStatusColor(1, platform::clLime);
  label->SetStatusColor(2, platform::clRed);
  packet->CoeffD = 1.0;
  const struct {
    std::int32_t Raw;
    const char* Text;
    platform::TColor Color;
  } cases[] = {{0, "SPENTO", platform::clRed}, {1, "ACCESO", platform::clLime}, {200, "ACCESO", platform::clLime}};
  for (const auto& c : cases) {
    Receive(c.Raw);
    EXPECT_EQ(label->Caption(), c.Text) << c.Raw;
    EXPECT_EQ(label->Font().Color(), c.Color) << c.Raw;
    EXPECT_EQ(label->State(), c.Raw != 0);
  }
}

TEST_F(LabelTest, UnboundFlagShowsOffText) {
  label->SetLabelStyle(lsFlag);
  EXPECT_EQ(label->Caption(), "OFF");
  label->SetState(true);
  EXPECT_EQ(label->Caption(), "ON");
}

TEST_F(LabelTest, CaptionLabelExistsOnlyInLabelledStyles) {
  const struct {
    TLabelStyle Style;
    bool HasCaption;
  } cases[] = {{lsValue, false}, {lsLabeledFlag, true}, {lsFlag, false}, {lsLabeledValue, true}};
  for (const auto& c : cases) {
    label->SetLabelStyle(c.Style);
    EXPECT_EQ(label->ChildLabel() != nullptr, c.HasCaption) << c.Style;
    if (c.HasCaption) {
      EXPECT_EQ(label->ChildLabel()->Parent(), &form);
      EXPECT_TRUE(label->ChildLabel()->Visible());
    }
  }
}

TEST_F(LabelTest, OnlyPacketAndVectorItemsBind) {
  auto* number = new items::TOrvNumber(&form, 9);
  label->SetNumber(packet);
  label->SetNumber(number);
  EXPECT_EQ(label->Value(), packet);
  EXPECT_TRUE(number->NotificationList().empty());
  delete packet;
  packet = nullptr;
  EXPECT_EQ(label->Value(), nullptr);
  label->Perform(platform::WM_DATACHANGED, 0, 0);
  EXPECT_EQ(label->Caption(), "0");
}

TEST_F(LabelTest, VectorItemShowsItsText) {
  auto* vector = new items::TOrvVector(&form, 60);
  vector->SetArrayDimension(5);
  vector->SetConnection(&connection);
  connection.Ecu.Arrays[60] = {51, 46, 49, 0, 65};
  label->SetNumber(vector);
  EXPECT_EQ(label->ShownVectorText(), "n.d.");
  label->SetLabelStyle(lsLabeledFlag);
  vector->DataValid = false;
  label->Perform(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(vector), 0);
  EXPECT_EQ(label->Caption(), "3.1");
}

}  // namespace
}  // namespace orv::controls
