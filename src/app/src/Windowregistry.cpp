#include "orv/app/Windowregistry.h"

#include "orv/app/About.h"
#include "orv/app/Main.h"
#include "orv/i18n/Registration.h"
#include "orv/platform/Controlclasses.h"
#include "orv/platform/Description.h"

namespace orv::app {

const platform::TClassRegistry& WindowRegistry() {
  static const platform::TClassRegistry registry = [] {
    platform::TClassRegistry r;
    platform::RegisterControlClasses(r);
    i18n::RegisterI18nClasses(r);
    TFormMain::Register(r);
    TAboutBox::Register(r);
    return r;
  }();
  return registry;
}

}  // namespace orv::app
