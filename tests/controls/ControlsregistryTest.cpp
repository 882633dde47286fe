#include "orv/controls/Controlsregistry.h"

#include <gtest/gtest.h>

#include <string>

#include "orv/controls/Orvcheckbox.h"
#include "orv/controls/Orvcombobox.h"
#include "orv/controls/Orvlabel.h"
#include "orv/controls/Valueeditex.h"
#include "orv/items/Itemsregistry.h"
#include "orv/platform/Controlclasses.h"
#include "orv/platform/Forms.h"

namespace orv::controls {
namespace {

constexpr const char* kWindow = R"(object FormProva: TForm
  Left = 0
  Top = 0
  object TEMPERATURA: TOrvNumber
    SerialCode = 12
  end
  object GIRI: TOrvNumber
    SerialCode = 13
  end
  object LIVE: TOrvPacketData
    SerialCode = 3
  end
  object OrvValEditTemp: TValueEditEx
    Left = 586
    Top = 96
    Width = 90
    Height = 24
    Value = TEMPERATURA
    Validation = False
    NextControl = OrvComboTipo
    PrevControl = OrvComboTipo
    ArrowMoveFocus = False
    DataNotDefinedAspect = ddDisabled
    EditLabel.Caption = 'Temperatura per Cambio'
    EditLabel.LabelSpacing = 550
    Resizer.ResizingBorder = 8
    Resizer.ResizingMode = [raHorizontal, raMove]
    Resizer.GridDimension = 10
    Resizer.FixDblClick = True
  end
  object OrvComboTipo: TOrvComboBox
    Left = 586
    Top = 8
    Style = csDropDownList
    Items.Strings = ('Standard' 'Debole')
    Value = GIRI
    NextControl = OrvValEditTemp
    ComboLabel.Caption = 'Segnale Giri'
    ComboLabel.LabelSpacing = 550
    Resizer.GridDimension = 5
  end
  object OrvLabelLambda: TOrvLabel
    Value = LIVE
    Style = lsLabeledFlag
    DataFormat = '0.00 V'
    OnText = 'SI'
    OffText = 'NO'
    OnColor = clLime
    OffColor = 255
    ChildLabel.Caption = 'Lambda'
  end
  object OrvCheckBoxFuoriGiri: TOrvCheckBox
    Caption = 'Abilita Fuori Giri'
    Value = GIRI
    CheckedValue = 6000
    Condition = ccMinorOf
    ConditionValue = 9000
    UncheckedValue = 12000
  end
end
)";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::RegisterControlClasses(registry);
    items::RegisterItemClasses(registry);
    RegisterDataControlClasses(registry);
  }
  platform::TClassRegistry registry;
};

TEST_F(RegistryTest, WindowDescriptionBuildsBoundControls) {
  platform::TForm form;
  std::string error;
  ASSERT_TRUE(platform::TryReadDescription(form, kWindow, registry, &error)) << error;

  auto* edit = dynamic_cast<TValueEditEx*>(form.FindComponent("OrvValEditTemp"));
  auto* combo = dynamic_cast<TOrvComboBox*>(form.FindComponent("OrvComboTipo"));
  auto* label = dynamic_cast<TOrvLabel*>(form.FindComponent("OrvLabelLambda"));
  auto* box = dynamic_cast<TOrvCheckBox*>(form.FindComponent("OrvCheckBoxFuoriGiri"));
  ASSERT_NE(edit, nullptr);
  ASSERT_NE(combo, nullptr);
  ASSERT_NE(label, nullptr);
  ASSERT_NE(box, nullptr);

  EXPECT_EQ(edit->Value(), form.FindComponent("TEMPERATURA"));
  EXPECT_FALSE(edit->Validation);
  EXPECT_FALSE(edit->ArrowMoveFocus);
  EXPECT_EQ(edit->NextControl(), combo);
  EXPECT_EQ(edit->PrevControl(), combo);
  EXPECT_EQ(edit->DataNotDefinedAspect(), ddDisabled);
  EXPECT_TRUE(edit->Visible());
  EXPECT_EQ(edit->EditLabel()->Caption(), "Temperatura per Cambio");
  EXPECT_EQ(edit->EditLabel()->Left(), 36);
  EXPECT_EQ(edit->EditLabel()->Top(), 96 + (24 - edit->EditLabel()->Height()) / 2);
  EXPECT_EQ(edit->Resizer()->ResizingMode(), static_cast<TResizingMode>(raHorizontal | raMove));

  EXPECT_EQ(combo->Value(), form.FindComponent("GIRI"));
  EXPECT_EQ(combo->ItemCount(), 2);
  EXPECT_EQ(combo->NextControl(), edit);
  EXPECT_EQ(combo->ComboLabel()->Caption(), "Segnale Giri");
  EXPECT_EQ(combo->Resizer()->GridDimension(), 5);

  EXPECT_EQ(label->Value(), form.FindComponent("LIVE"));
  EXPECT_EQ(label->Style(), lsLabeledFlag);
  ASSERT_NE(label->ChildLabel(), nullptr);
  EXPECT_EQ(label->ChildLabel()->Caption(), "Lambda");
  EXPECT_EQ(label->Caption(), "NO");
  EXPECT_EQ(label->Font().Color(), 255);
  EXPECT_EQ(label->OnColor(), platform::clLime);

  EXPECT_EQ(box->Condition(), ccMinorOf);
  EXPECT_EQ(box->ConditionValue(), 9000.0);
  EXPECT_EQ(box->CheckedValue, 6000.0);
  EXPECT_EQ(box->UncheckedValue, 12000.0);
  EXPECT_EQ(box->Caption(), "Abilita Fuori Giri");
}

TEST_F(RegistryTest, BadValuesAreRefusedWithTheirLine) {
  const char* bad = R"(object FormProva: TForm
  object E: TValueEditEx
    DataNotDefinedAspect = ddSometimes
  end
end
)";
  platform::TForm form;
  std::string error;
  EXPECT_FALSE(platform::TryReadDescription(form, bad, registry, &error));
  EXPECT_NE(error.find("line 3"), std::string::npos) << error;
  EXPECT_EQ(form.ComponentCount(), 0);
}

TEST_F(RegistryTest, ValueOfTheWrongKindIsRefused) {
  const char* bad = R"(object FormProva: TForm
  object LIVE: TOrvPacketData
  end
  object E: TValueEditEx
    Value = LIVE
  end
end
)";
  platform::TForm form;
  std::string error;
  EXPECT_FALSE(platform::TryReadDescription(form, bad, registry, &error));
  EXPECT_EQ(form.ComponentCount(), 0);
}

}  // namespace
}  // namespace orv::controls
