#include "orv/link/Datarefresher.h"
#include "orv/link/Orvconnection.h"
#include "orv/platform/Description.h"

namespace orv::link {

void RegisterLinkClasses(platform::TClassRegistry& registry) {
  platform::TClassBuilder<TOrvConnection>(registry, "TOrvConnection", "")
      .String("DllName", [](TOrvConnection& c, const std::string& v) { c.SetDllName(v); })
      .Bool("AutoLoadLibrary", [](TOrvConnection& c, bool v) { c.SetAutoLoadLibrary(v); });

  using platform::TThreadPriority;
  platform::TClassBuilder<TDataRefresher>(registry, "TDataRefresher", "")
      .Ref<items::TOrvConnectionBase>("Connection",
                                      [](TDataRefresher& r, items::TOrvConnectionBase* c) { r.SetConnection(c); })
      .Int("SleepTime", [](TDataRefresher& r, int v) { r.SetSleepTime(v); })
      .Enum("Priority",
            {{"tpIdle", static_cast<int>(TThreadPriority::tpIdle)},
             {"tpLowest", static_cast<int>(TThreadPriority::tpLowest)},
             {"tpLower", static_cast<int>(TThreadPriority::tpLower)},
             {"tpNormal", static_cast<int>(TThreadPriority::tpNormal)},
             {"tpHigher", static_cast<int>(TThreadPriority::tpHigher)},
             {"tpHighest", static_cast<int>(TThreadPriority::tpHighest)},
             {"tpTimeCritical", static_cast<int>(TThreadPriority::tpTimeCritical)}},
            [](TDataRefresher& r, int v) {
              if (v >= static_cast<int>(TThreadPriority::tpIdle) &&
                  v <= static_cast<int>(TThreadPriority::tpTimeCritical)) {
                r.SetPriority(static_cast<TThreadPriority>(v));
              }
            });
}

}  // namespace orv::link
