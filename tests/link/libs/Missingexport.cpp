// A communication library that lacks _DestroyClassInstance.

#include "orv/plugins/Commlibrary.h"
#include "orv/plugins/Export.h"

ORV_PLUGIN_EXPORT orv::plugins::IOrvLibrary* _CreateClassInstance() { return nullptr; }

ORV_PLUGIN_EXPORT bool _GetDLLVersion(orv::plugins::FILE_VERSION_DATA* version) {
  if (version == nullptr) return false;
  *version = {4, 10, 0, 0};
  return true;
}
