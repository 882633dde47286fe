#include "orv/controls/Orvcombobox.h"

#include <gtest/gtest.h>

#include "Controlfakes.h"
#include "orv/platform/Clock.h"

namespace orv::controls {
namespace {

using testing::MakeNumber;
using testing::TMemoryConnection;

struct IndexCase {
  double Value;
  int Expected;
};

TEST(ComboIndex, ValueRoundsToALineOfTheList) {
  const IndexCase cases[] = {{2.5, 3}, {2.49, 2}, {-0.5, 0}, {7, -1}, {6, 6}, {0, 0}, {-1, 0}, {-1.5, -1}, {1e300, -1}};
  for (const IndexCase& c : cases) EXPECT_EQ(ComboIndexFromValue(c.Value, 7), c.Expected) << c.Value;
}

class ComboTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetBounds(0, 0, 800, 600);
    form.Show();
    item = MakeNumber(&form, connection, 40, 0, 6, 0, 10);  // user value = raw / 10
    combo = new TOrvComboBox(&form);
    combo->SetParent(&form);
    combo->SetItems({"4 Cilindri", "5 Cilindri", "6 Cilindri", "8 Cilindri", "Bibobina", "Monobobina", "3 Cilindri"});
    combo->SetNumber(item);
    other = new TOrvComboBox(&form);
    other->SetParent(&form);
  }
  void Show(std::int32_t raw) {
    connection.Ecu.Memory[40] = raw;
    item->DataValid = false;
    combo->Perform(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(item), 0);
  }
  void Enter() {
    combo->PressKey(platform::VK_RETURN);
    combo->TypeChar('\r');
  }

  platform::TManualClock clock{1000};
  platform::TScopedClock scopedClock{clock};
  TMemoryConnection connection;
  platform::TForm form;
  items::TOrvNumber* item = nullptr;
  TOrvComboBox* combo = nullptr;
  TOrvComboBox* other = nullptr;
};

TEST_F(ComboTest, NewComboIsADropDownListWithCaptionAndResizer) {
  TOrvComboBox c(nullptr);
  EXPECT_EQ(c.Style(), platform::csDropDownList);
  EXPECT_TRUE(c.ArrowMoveFocus);
  EXPECT_EQ(c.Value(), nullptr);
  EXPECT_EQ(c.NextControl(), nullptr);
  ASSERT_NE(c.ComboLabel(), nullptr);
  EXPECT_EQ(c.ComboLabel()->FocusControl(), &c);
  ASSERT_NE(c.Resizer(), nullptr);
  EXPECT_EQ(c.DropDownCount(), 8);
  EXPECT_TRUE(c.InitData());
}

TEST_F(ComboTest, SelectsTheLineOfTheValue) {
  const struct {
    std::int32_t Raw;
    int Line;
  } cases[] = {{25, 3}, {-5, 0}, {70, -1}, {24, 2}};
  item->SetMinValue(-10);
  for (const auto& c : cases) {
    Show(c.Raw);
    EXPECT_EQ(combo->ItemIndex(), c.Line) << c.Raw;
    EXPECT_EQ(combo->SavedIndex(), c.Line) << c.Raw;
  }
}

TEST_F(ComboTest, EnterWithNothingPendingOpensTheList) {
  Show(10);
  combo->SetFocus();
  EXPECT_FALSE(combo->Pending());
  Enter();
  EXPECT_TRUE(combo->DroppedDown());
  EXPECT_TRUE(combo->Pending());
  EXPECT_TRUE(connection.Ecu.Writes.empty());
}

TEST_F(ComboTest, MovingInTheOpenListAndEnterWritesTheIndex) {
  Show(10);
  combo->SetFocus();
  combo->SetDroppedDown(true);
  combo->PressKey(platform::VK_DOWN);
  combo->PressKey(platform::VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_TRUE(connection.Ecu.Writes.empty());
  Enter();
  ASSERT_EQ(connection.Ecu.Writes.size(), 1u);
  EXPECT_EQ(connection.Ecu.Writes[0].Value, 30);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_FALSE(combo->Pending());
  EXPECT_EQ(combo->SavedIndex(), 3);
  EXPECT_EQ(combo->ItemIndex(), 3);
}

TEST_F(ComboTest, EscapeInTheOpenListReturnsToTheSavedLine) {
  Show(20);
  combo->SetFocus();
  combo->SetDroppedDown(true);
  combo->PressKey(platform::VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 3);
  combo->PressKey(platform::VK_ESCAPE);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_FALSE(combo->Pending());
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_TRUE(connection.Ecu.Writes.empty());
}

TEST_F(ComboTest, UpAndDownWrapInTheOpenList) {
  Show(0);
  combo->SetFocus();
  combo->SetDroppedDown(true);
  combo->PressKey(platform::VK_UP);
  EXPECT_EQ(combo->ItemIndex(), 6);
  combo->PressKey(platform::VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 0);
  combo->PressKey(platform::VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_TRUE(combo->DroppedDown());
  EXPECT_TRUE(connection.Ecu.Writes.empty());
}

TEST_F(ComboTest, LeftRightAndClosedPageKeysAreSwallowed) {
  Show(30);
  combo->SetFocus();
  for (unsigned short key : {platform::VK_LEFT, platform::VK_RIGHT, platform::VK_PRIOR, platform::VK_NEXT}) {
    unsigned short k = key;
    combo->KeyDown(k, 0);
    EXPECT_EQ(k, 0) << key;
    combo->PressKey(key);
    EXPECT_EQ(combo->ItemIndex(), 3) << key;
  }
  combo->SetDroppedDown(true);
  unsigned short page = platform::VK_NEXT;
  combo->KeyDown(page, 0);
  EXPECT_EQ(page, platform::VK_NEXT);
  unsigned short left = platform::VK_LEFT;
  combo->KeyDown(left, 0);
  EXPECT_EQ(left, 0);
  EXPECT_TRUE(connection.Ecu.Writes.empty());
}

TEST_F(ComboTest, ArrowsWithTheListClosedMoveAlongTheChain) {
  combo->SetNextControl(other);
  combo->SetPrevControl(other);
  combo->SetFocus();
  combo->PressKey(platform::VK_DOWN);
  EXPECT_TRUE(other->Focused());
  combo->SetFocus();
  combo->PressKey(platform::VK_UP);
  EXPECT_TRUE(other->Focused());
  // Without ArrowMoveFocus the closed list moves its line and commits it.
  Show(10);
  combo->ArrowMoveFocus = false;
  combo->SetFocus();
  combo->PressKey(platform::VK_DOWN);
  EXPECT_TRUE(combo->Focused());
  EXPECT_EQ(combo->ItemIndex(), 2);
  ASSERT_EQ(connection.Ecu.Writes.size(), 1u);
  EXPECT_EQ(connection.Ecu.Writes[0].Value, 20);
}

TEST_F(ComboTest, TypingSelectsByTextAndCommitsWithTheListClosed) {
  Show(0);
  combo->SetFocus();
  combo->TypeChar('m');
  EXPECT_EQ(combo->ItemIndex(), 5);
  ASSERT_EQ(connection.Ecu.Writes.size(), 1u);
  EXPECT_EQ(connection.Ecu.Writes.back().Value, 50);
  // Less than 500 ms later the text adds up; "8 " is no line, so nothing moves.
  clock.Advance(499);
  combo->TypeChar('8');
  EXPECT_EQ(combo->ItemIndex(), 5);
  // After a pause a new text starts.
  clock.Advance(500);
  combo->TypeChar('8');
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(connection.Ecu.Writes.back().Value, 30);
  EXPECT_FALSE(combo->Pending());
}

TEST_F(ComboTest, TypingInTheOpenListDoesNotCommit) {
  Show(0);
  combo->SetFocus();
  combo->SetDroppedDown(true);
  combo->TypeChar('b');
  EXPECT_EQ(combo->ItemIndex(), 4);
  EXPECT_TRUE(combo->Pending());
  EXPECT_TRUE(connection.Ecu.Writes.empty());
}

TEST_F(ComboTest, LeavingClosesTheListWithoutCommitting) {
  Show(0);
  combo->SetFocus();
  combo->SetDroppedDown(true);
  combo->UserSelect(2);
  other->SetFocus();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_TRUE(connection.Ecu.Writes.empty());
}

TEST_F(ComboTest, DataAvailableAndDestructionOfTheItem) {
  const std::int32_t raw = 40;
  combo->Perform(platform::WM_DATAAVAILABLE, reinterpret_cast<std::intptr_t>(&raw), 0);
  EXPECT_EQ(combo->ItemIndex(), 4);
  delete item;
  item = nullptr;
  EXPECT_EQ(combo->Value(), nullptr);
  combo->Perform(platform::WM_DATACHANGED, 0, 0);
  combo->SetFocus();
  combo->UserSelect(1);
  EXPECT_TRUE(connection.Ecu.Writes.empty());
}

TEST_F(ComboTest, CaptionFollowsVisibility) {
  combo->Hide();
  EXPECT_FALSE(combo->ComboLabel()->Visible());
  combo->Show();
  EXPECT_TRUE(combo->ComboLabel()->Visible());
}

}  // namespace
}  // namespace orv::controls
