#include "orv/controls/Valueeditex.h"

#include <gtest/gtest.h>

#include <string>

#include "Controlfakes.h"
#include "orv/platform/NumberText.h"

namespace orv::controls {
namespace {

using testing::MakeNumber;
using testing::TMemoryConnection;

// ---------------------------------------------------------------- key filter

struct KeyCase {
  const char* Name;
  char Key;
  const char* Text;
  int SelStart;
  const char* SelText;
  char Separator;
  bool Bound;
  double Precision;
  double Min;
  double Max;
  TValueKeyResult Expected;
};

const KeyCase kKeyCases[] = {
    {"digit passes", '7', "12", 2, "", '.', true, 1, 0, 100, {'7', false}},
    {"backspace passes", '\b', "12", 2, "", '.', true, 1, 0, 100, {'\b', false}},
    {"comma becomes point", ',', "12", 2, "", '.', true, 0.1, 0, 100, {'.', false}},
    {"point becomes comma", '.', "12", 2, "", ',', true, 0.1, 0, 100, {',', false}},
    {"second separator refused", ',', "1.2", 3, "", '.', true, 0.1, 0, 100, {0, false}},
    {"separator replacing the selected one", ',', "1.2", 1, ".", '.', true, 0.1, 0, 100, {'.', false}},
    {"precision 1 refuses separator", '.', "12", 2, "", '.', true, 1, 0, 100, {0, false}},
    {"precision 5 refuses separator", '.', "12", 2, "", '.', true, 5, 0, 100, {0, false}},
    {"precision 100 refuses separator", '.', "12", 2, "", '.', true, 100, 0, 100, {0, false}},
    {"precision 0.01 accepts separator", '.', "12", 2, "", '.', true, 0.01, 0, 100, {'.', false}},
    {"precision 0 accepts separator", '.', "12", 2, "", '.', true, 0, 0, 100, {'.', false}},
    {"precision 0.1 with comma system", ',', "12", 2, "", ',', true, 0.1, 0, 100, {',', false}},
    {"minus at start for negative minimum", '-', "12", 0, "", '.', true, 1, -10, 100, {'-', false}},
    {"minus when both limits are 0", '-', "12", 0, "", '.', true, 1, 0, 0, {'-', false}},
    {"minus refused for positive item", '-', "12", 0, "", '.', true, 1, 0, 100, {0, false}},
    {"minus refused after the start", '-', "12", 1, "", '.', true, 1, -10, 100, {0, false}},
    {"second minus refused", '-', "-12", 0, "", '.', true, 1, -10, 100, {0, false}},
    {"minus replacing the selected minus", '-', "-12", 0, "-1", '.', true, 1, -10, 100, {'-', false}},
    {"unbound minus at start", '-', "-12", 0, "", '.', false, 0, 0, 0, {'-', false}},
    {"unbound minus elsewhere refused", '-', "12", 1, "", '.', false, 0, 0, 0, {0, false}},
    {"unbound separator", ',', "12", 2, "", '.', false, 0, 0, 0, {'.', false}},
    {"enter runs the action", '\r', "12", 2, "", '.', true, 1, 0, 100, {0, true}},
    {"letter swallowed", 'a', "12", 2, "", '.', true, 1, 0, 100, {0, false}},
    {"clipboard paste swallowed", 22, "12", 2, "", '.', true, 1, 0, 100, {0, false}},
    {"space swallowed", ' ', "12", 2, "", '.', false, 0, 0, 0, {0, false}},
};

TEST(ValueKeyFilter, DecidesEachCharacter) {
  for (const KeyCase& c : kKeyCases) {
    TValueKeyInput in;
    in.Key = c.Key;
    in.Text = c.Text;
    in.SelStart = c.SelStart;
    in.SelText = c.SelText;
    in.DecimalSeparator = c.Separator;
    in.Bound = c.Bound;
    in.Precision = c.Precision;
    in.ValueMin = c.Min;
    in.ValueMax = c.Max;
    const TValueKeyResult r = FilterValueKey(in);
    EXPECT_EQ(r.Key, c.Expected.Key) << c.Name;
    EXPECT_EQ(r.EnterAction, c.Expected.EnterAction) << c.Name;
  }
}

// ---------------------------------------------------------------- the field on
// a form

class ValueEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetDecimalSeparator('.');
    form.SetBounds(0, 0, 800, 600);
    form.Show();
  }
  void TearDown() override { platform::SetDecimalSeparator('\0'); }

  TValueEditEx* NewEdit(items::TOrvNumber* item, int top) {
    auto* e = new TValueEditEx(&form);
    e->SetParent(&form);
    e->SetBounds(586, top, 90, 24);
    e->SetNumber(item);
    return e;
  }
  static void Enter(TValueEditEx& e) {
    e.PressKey(platform::VK_RETURN);
    e.TypeChar('\r');
  }
  static bool AllSelected(const TValueEditEx& e) {
    return e.SelStart() == 0 && e.SelLength() == static_cast<int>(e.Text().size());
  }

  platform::TRecordingDialogs dialogs;
  platform::TScopedDialogs scopedDialogs{dialogs};
  TMemoryConnection connection;
  platform::TForm form;
};

TEST_F(ValueEditTest, NewFieldIsUnboundWithDefaults) {
  TValueEditEx e(nullptr);
  EXPECT_EQ(e.Text(), "0");
  EXPECT_EQ(e.Width(), 96);
  EXPECT_GT(e.Height(), platform::TextMeasurer().TextHeight(e.Font()));
  EXPECT_EQ(e.Alignment(), platform::taRightJustify);
  EXPECT_TRUE(e.WantReturns());
  EXPECT_TRUE(e.Validation);
  EXPECT_TRUE(e.ArrowMoveFocus);
  EXPECT_TRUE(e.DataDefined());
  EXPECT_EQ(e.DataNotDefinedAspect(), ddNone);
  ASSERT_NE(e.EditLabel(), nullptr);
  EXPECT_EQ(e.EditLabel()->Name(), "ChildLabel");
  EXPECT_EQ(e.EditLabel()->FocusControl(), &e);
  ASSERT_NE(e.Resizer(), nullptr);
  EXPECT_TRUE(e.Resizer()->Locked());
  EXPECT_EQ(e.Resizer()->ResizingBorder(), 8);
  EXPECT_EQ(e.Resizer()->ResizingMode(), static_cast<TResizingMode>(raHorizontal | raMove));
  EXPECT_EQ(e.Resizer()->GridDimension(), 10);
  EXPECT_TRUE(e.Resizer()->FixDblClick());
  EXPECT_TRUE(e.InitData());
  EXPECT_FALSE(e.AcquireValue());
}

TEST_F(ValueEditTest, CommaTypedWithPointSystemInsertsPointOnce) {
  auto* item = MakeNumber(&form, connection, 10, 0, 100, 0.1, 10);
  auto* e = NewEdit(item, 96);
  e->SetFocus();
  e->TypeText("12,5");
  EXPECT_EQ(e->Text(), "12.5");
  e->TypeChar(',');
  EXPECT_EQ(e->Text(), "12.5");
  // With the separator selected, a new one replaces it.
  e->SetSelection(2, 1);
  e->TypeChar(',');
  EXPECT_EQ(e->Text(), "12.5");
  EXPECT_EQ(e->SelStart(), 3);
}

TEST_F(ValueEditTest, PointTypedWithCommaSystemInsertsComma) {
  platform::SetDecimalSeparator(',');
  auto* item = MakeNumber(&form, connection, 10, 0, 100, 0.1, 10);
  auto* e = NewEdit(item, 96);
  e->SetFocus();
  e->TypeText("3.5");
  EXPECT_EQ(e->Text(), "3,5");
  Enter(*e);
  EXPECT_EQ(connection.Ecu.Memory[10], 35);
  EXPECT_EQ(e->Text(), "3,5");
}

TEST_F(ValueEditTest, MinusRulesOnTheField) {
  auto* negative = MakeNumber(&form, connection, 11, -50, 50);
  auto* positive = MakeNumber(&form, connection, 12, 0, 50);
  auto* a = NewEdit(negative, 96);
  auto* b = NewEdit(positive, 130);
  a->SetFocus();
  a->TypeText("-5-");
  EXPECT_EQ(a->Text(), "-5");
  a->SetSelection(1, 0);
  a->TypeChar('-');
  EXPECT_EQ(a->Text(), "-5");
  b->SetFocus();
  b->TypeText("-5");
  EXPECT_EQ(b->Text(), "5");
  // Unbound: at the start, even twice.
  TValueEditEx free(&form);
  free.SetParent(&form);
  free.SetText("");
  free.TypeChar('-');
  free.SetSelection(0, 0);
  free.TypeChar('-');
  EXPECT_EQ(free.Text(), "--");
}

TEST_F(ValueEditTest, EnterOnTextThatIsNoNumberBeepsAndShowsTheValueSelected) {
  auto* item = MakeNumber(&form, connection, 13, -50, 50);
  connection.Ecu.Memory[13] = 7;
  auto* e = NewEdit(item, 96);
  auto* next = NewEdit(nullptr, 130);
  e->SetNextControl(next);
  for (const char* typed : {"", "-"}) {
    e->SetFocus();
    e->SetText(typed);
    e->SetSelection(static_cast<int>(e->Text().size()), 0);
    const int beeps = dialogs.Beeps;
    Enter(*e);
    EXPECT_EQ(dialogs.Beeps, beeps + 1) << typed;
    EXPECT_EQ(e->Text(), "7") << typed;
    EXPECT_TRUE(AllSelected(*e)) << typed;
    EXPECT_TRUE(e->Focused()) << typed;
  }
  EXPECT_TRUE(connection.Ecu.Writes.empty());
}

TEST_F(ValueEditTest, EnterAboveTheMaximumShowsTheClampedValueAndMovesOn) {
  auto* item = MakeNumber(&form, connection, 14, 0, 800);
  auto* e = NewEdit(item, 96);
  auto* next = NewEdit(nullptr, 130);
  e->SetNextControl(next);
  e->SetFocus();
  e->TypeText("950");
  Enter(*e);
  ASSERT_EQ(connection.Ecu.Writes.size(), 1u);
  EXPECT_EQ(connection.Ecu.Writes[0].Value, 800);
  EXPECT_EQ(e->Text(), "800");
  EXPECT_TRUE(next->Focused());
  EXPECT_EQ(dialogs.Beeps, 0);
}

TEST_F(ValueEditTest, RefusedWriteBeepsAndKeepsTheFocus) {
  auto* item = MakeNumber(&form, connection, 15, 0, 100);
  item->ReadOnly = true;
  connection.Ecu.Memory[15] = 42;
  auto* e = NewEdit(item, 96);
  auto* next = NewEdit(nullptr, 130);
  e->SetNextControl(next);
  e->SetFocus();
  e->TypeText("5");
  Enter(*e);
  EXPECT_EQ(dialogs.Beeps, 1);
  EXPECT_EQ(e->Text(), "42");
  EXPECT_TRUE(AllSelected(*e));
  EXPECT_TRUE(e->Focused());
}

TEST_F(ValueEditTest, OverflowingNumberIsNotHandedToTheItem) {
  auto* item = MakeNumber(&form, connection, 16, 0, 100);
  connection.Ecu.Memory[16] = 3;
  auto* e = NewEdit(item, 96);
  e->SetFocus();
  e->SetText("1E999");
  EXPECT_FALSE(e->AcquireValue());
  EXPECT_EQ(e->Text(), "3");
  EXPECT_TRUE(connection.Ecu.Writes.empty());
}

TEST_F(ValueEditTest, DownWithValidationDropsTheTypedText) {
  auto* item = MakeNumber(&form, connection, 17, 0, 100);
  connection.Ecu.Memory[17] = 20;
  auto* e = NewEdit(item, 96);
  auto* next = NewEdit(nullptr, 130);
  e->SetNextControl(next);
  e->SetFocus();
  e->TypeText("55");
  e->PressKey(platform::VK_DOWN);
  EXPECT_TRUE(connection.Ecu.Writes.empty());
  EXPECT_EQ(e->Text(), "20");
  EXPECT_TRUE(next->Focused());
}

TEST_F(ValueEditTest, LeavingWithoutValidationCommits) {
  auto* item = MakeNumber(&form, connection, 18, 0, 100);
  auto* e = NewEdit(item, 96);
  auto* prev = NewEdit(nullptr, 60);
  e->Validation = false;
  e->SetPrevControl(prev);
  e->SetFocus();
  e->TypeText("55");
  e->PressKey(platform::VK_UP);
  EXPECT_EQ(connection.Ecu.Memory[18], 55);
  EXPECT_TRUE(prev->Focused());
}

TEST_F(ValueEditTest, ArrowsStayWhenArrowMoveFocusIsOff) {
  auto* e = NewEdit(nullptr, 96);
  auto* next = NewEdit(nullptr, 130);
  e->SetNextControl(next);
  e->ArrowMoveFocus = false;
  e->SetFocus();
  e->PressKey(platform::VK_DOWN);
  EXPECT_TRUE(e->Focused());
}

TEST_F(ValueEditTest, HiddenOrDisabledNextControlFallsBackToTabOrder) {
  auto* item = MakeNumber(&form, connection, 19, 0, 100);
  auto* e = NewEdit(item, 96);
  auto* inTabOrder = NewEdit(nullptr, 130);
  auto* chained = NewEdit(nullptr, 160);
  e->SetNextControl(chained);
  for (int round = 0; round < 2; ++round) {
    chained->SetVisible(round != 0);
    chained->SetEnabled(round == 0 ? true : false);
    e->SetFocus();
    e->TypeText("1");
    Enter(*e);
    EXPECT_TRUE(inTabOrder->Focused()) << round;
  }
}

TEST_F(ValueEditTest, EscapeShowsTheValueSelectedWithoutWriting) {
  auto* item = MakeNumber(&form, connection, 20, 0, 100);
  connection.Ecu.Memory[20] = 9;
  auto* e = NewEdit(item, 96);
  e->SetFocus();
  e->TypeText("77");
  e->PressKey(platform::VK_ESCAPE);
  EXPECT_EQ(e->Text(), "9");
  EXPECT_TRUE(AllSelected(*e));
  EXPECT_TRUE(connection.Ecu.Writes.empty());
  EXPECT_TRUE(e->Focused());
}

TEST_F(ValueEditTest, FocusGainedSelectsAll) {
  auto* e = NewEdit(nullptr, 96);
  e->SetText("123");
  e->SetFocus();
  EXPECT_TRUE(AllSelected(*e));
}

TEST_F(ValueEditTest, WriteElsewhereReachesTheField) {
  auto* item = MakeNumber(&form, connection, 21, 0, 100, 0.1, 10);
  auto* e = NewEdit(item, 96);
  ASSERT_TRUE(item->SetData(12.5));
  EXPECT_EQ(e->Text(), "12.5");
  // A message naming no item refreshes as well.
  connection.Ecu.Memory[21] = 40;
  item->DataValid = false;
  e->Perform(platform::WM_DATACHANGED, 0, 0);
  EXPECT_EQ(e->Text(), "4");
}

TEST_F(ValueEditTest, DataAvailableHandsTheRawValueToTheItem) {
  auto* item = MakeNumber(&form, connection, 22, 0, 1000);
  auto* e = NewEdit(item, 96);
  const std::int32_t raw = 321;
  e->Perform(platform::WM_DATAAVAILABLE, reinterpret_cast<std::intptr_t>(&raw), 0);
  EXPECT_EQ(e->Text(), "321");
  EXPECT_TRUE(item->DataValid);
  EXPECT_EQ(connection.Ecu.Reads, 0);
}

TEST_F(ValueEditTest, InitDataReadsFromTheEcu) {
  auto* item = MakeNumber(&form, connection, 23, 0, 1000);
  connection.Ecu.Memory[23] = 5;
  auto* e = NewEdit(item, 96);
  ASSERT_TRUE(e->InitData());
  EXPECT_EQ(e->Text(), "5");
  connection.Ecu.Memory[23] = 6;
  connection.Ecu.FailReads = true;
  EXPECT_FALSE(e->InitData());
  EXPECT_EQ(e->Text(), "5");
}

TEST_F(ValueEditTest, UndefinedDatumDisablesUntilTheNextData) {
  auto* item = MakeNumber(&form, connection, 24, 0, 100);
  auto* e = NewEdit(item, 96);
  e->SetDataDefAspect(ddDisabled);
  e->Perform(platform::WM_COMERROR, reinterpret_cast<std::intptr_t>(item), 1);
  EXPECT_TRUE(e->Enabled());
  EXPECT_TRUE(e->DataDefined());
  e->Perform(platform::WM_COMERROR, reinterpret_cast<std::intptr_t>(item), 4 | 1);
  EXPECT_FALSE(e->Enabled());
  EXPECT_TRUE(e->Visible());
  EXPECT_FALSE(e->DataDefined());
  e->Perform(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(item), 0);
  EXPECT_TRUE(e->Enabled());
  EXPECT_TRUE(e->DataDefined());
}

TEST_F(ValueEditTest, UndefinedDatumHidesFieldAndCaptionThenNoneShowsThemAgain) {
  auto* item = MakeNumber(&form, connection, 25, 0, 100);
  auto* e = NewEdit(item, 96);
  e->SetDataDefAspect(ddInvisible);
  connection.Ecu.Status = 4;
  item->DataValid = false;
  double v = 0;
  item->GetData(v);  // the library reports the datum undefined
  EXPECT_FALSE(e->Visible());
  EXPECT_FALSE(e->EditLabel()->Visible());
  EXPECT_FALSE(e->DataDefined());
  e->SetDataDefAspect(ddNone);
  EXPECT_TRUE(e->Visible());
  EXPECT_TRUE(e->EditLabel()->Visible());
  EXPECT_TRUE(e->Enabled());
}

TEST_F(ValueEditTest, AspectNoneChangesNothing) {
  auto* item = MakeNumber(&form, connection, 26, 0, 100);
  auto* e = NewEdit(item, 96);
  e->Perform(platform::WM_COMERROR, reinterpret_cast<std::intptr_t>(item), 4);
  EXPECT_TRUE(e->Visible());
  EXPECT_TRUE(e->Enabled());
  EXPECT_FALSE(e->DataDefined());
}

TEST_F(ValueEditTest, AspectSetWhileUndefinedAppliesAtOnce) {
  auto* item = MakeNumber(&form, connection, 27, 0, 100);
  auto* e = NewEdit(item, 96);
  e->Perform(platform::WM_COMERROR, reinterpret_cast<std::intptr_t>(item), 4);
  e->SetDataDefAspect(ddDisabled);
  EXPECT_FALSE(e->Enabled());
  e->SetDataDefAspect(ddInvisible);
  EXPECT_FALSE(e->Visible());
  EXPECT_TRUE(e->Enabled());
}

TEST_F(ValueEditTest, UnboundFieldIgnoresItemMessages) {
  auto* e = NewEdit(nullptr, 96);
  e->SetDataDefAspect(ddDisabled);
  e->SetText("8");
  e->Perform(platform::WM_DATACHANGED, 0, 0);
  e->Perform(platform::WM_COMERROR, 0, 4);
  EXPECT_EQ(e->Text(), "8");
  EXPECT_TRUE(e->Enabled());
  EXPECT_TRUE(e->DataDefined());
}

TEST_F(ValueEditTest, DestructionNoticesClearEveryReference) {
  auto* item = MakeNumber(&form, connection, 28, 0, 100);
  auto* e = NewEdit(item, 96);
  auto* next = NewEdit(nullptr, 130);
  e->SetNextControl(next);
  e->SetPrevControl(next);
  delete next;
  EXPECT_EQ(e->NextControl(), nullptr);
  EXPECT_EQ(e->PrevControl(), nullptr);
  delete item;
  EXPECT_EQ(e->Value(), nullptr);
  e->Perform(platform::WM_DATACHANGED, 0, 0);
  EXPECT_FALSE(e->AcquireValue());

  auto* other = MakeNumber(&form, connection, 29, 0, 100);
  auto* f = NewEdit(other, 160);
  ASSERT_EQ(other->NotificationList().size(), 1u);
  delete f;
  EXPECT_TRUE(other->NotificationList().empty());
}

TEST_F(ValueEditTest, RebindingMovesTheListener) {
  auto* a = MakeNumber(&form, connection, 30, 0, 100);
  auto* b = MakeNumber(&form, connection, 31, 0, 100);
  auto* e = NewEdit(a, 96);
  e->SetNumber(a);
  EXPECT_EQ(a->NotificationList().size(), 1u);
  e->SetNumber(b);
  EXPECT_TRUE(a->NotificationList().empty());
  EXPECT_EQ(b->NotificationList().size(), 1u);
}

TEST_F(ValueEditTest, CaptionFollowsTheField) {
  auto* e = NewEdit(nullptr, 96);
  TChildLabel* label = e->EditLabel();
  EXPECT_EQ(label->Parent(), &form);
  label->SetAutoSize(false);
  label->SetLabelHeight(16);
  label->SetLabelSpacing(550);
  EXPECT_EQ(label->Left(), 36);
  EXPECT_EQ(label->Top(), 100);
  e->SetBounds(600, 200, 90, 24);
  EXPECT_EQ(label->Left(), 50);
  EXPECT_EQ(label->Top(), 204);
  e->Hide();
  EXPECT_FALSE(label->Visible());
  e->Show();
  EXPECT_TRUE(label->Visible());
  label->Click();
  EXPECT_TRUE(e->Focused());
}

}  // namespace
}  // namespace orv::controls
