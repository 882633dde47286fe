#pragma once
// TAboutBox: the modal about box, built for one showing: the about picture of
// the resource library, the product line, the program's version and a fixed
// line of text, with an OK button.

#include "orv/platform/Extctrls.h"
#include "orv/platform/Forms.h"
#include "orv/platform/Stdctrls.h"

namespace orv::platform {
class TClassRegistry;
}

namespace orv::app {

class TFormMain;

class TAboutBox : public platform::TForm {
 public:
  // Built with the main window as owner: picture, screen scaling, caption
  // and product line (the main window's caption), the version line.
  TAboutBox(platform::TComponent* owner, TFormMain& mainWindow);
  const char* ClassName() const override { return "TAboutBox"; }
  static void Register(platform::TClassRegistry& registry);

  platform::TPanel* Panel1 = nullptr;
  platform::TImage* AboutImage = nullptr;
  platform::TLabel* ProductName = nullptr;
  platform::TLabel* Version = nullptr;
  platform::TLabel* LabelNotice = nullptr;
  platform::TButton* OKButton = nullptr;
};

}  // namespace orv::app
