// A communication library for the connection's tests: reports whatever
// version the test sets (4.9.2 until told otherwise) and counts its objects.

#include <cstdint>

#include "orv/plugins/Commlibrary.h"
#include "orv/plugins/Export.h"

namespace {

class TQuietLibrary final : public orv::plugins::IOrvLibrary {
 public:
  int GetPort() override { return 4; }
  void SetLinkOption(int) override {}
  void SelectPort(int) override {}
  void ClosePort() override { ++ClosePortCalls; }
  int IsLinkOpen() override { return LinkOpen ? 1 : 0; }
  int OpenLink() override {
    LinkOpen = true;
    return 1;
  }
  void CloseLink() override {
    ++CloseLinkCalls;
    LinkOpen = false;
  }
  int GetLastStatus() override { return 0; }
  void SelectModeA() override {}
  void SelectModeB() override {}
  bool ReadData(std::uint32_t, std::int32_t*) override { return false; }
  bool ReadDataIndex(std::uint32_t, std::int32_t*, int) override { return false; }
  bool ReadPacket(std::uint32_t, std::uint8_t*, std::int32_t*) override { return false; }
  bool WriteArray(std::uint32_t, const std::int32_t*) override { return false; }
  bool WriteData(std::uint32_t, std::int32_t) override { return false; }
  bool WriteDataIndex(std::uint32_t, int, std::int32_t) override { return false; }
  bool WriteDataRowCol(std::uint32_t, int, int, std::int32_t) override { return false; }
  bool WriteRow(std::uint32_t, const std::int32_t*, int) override { return false; }
  bool Identify(orv::plugins::EcuIdentity*) override { return false; }
  void SetProtocolOption(int) override {}
  bool WriteByAddress(std::uint32_t, int, std::int32_t) override { return false; }
  bool ReadDataRowCol(std::uint32_t, std::int32_t*, int, int) override { return false; }
  bool ReadByAddress(std::uint32_t, int, std::int32_t*) override { return false; }
  void SetNotificationSink(orv::plugins::INotificationSink*) override {}

  static inline bool LinkOpen = false;
  static inline int ClosePortCalls = 0;
  static inline int CloseLinkCalls = 0;
};

orv::plugins::FILE_VERSION_DATA gVersion{4, 9, 2, 0};
bool gVersionAnswers = true;
int gCreated = 0;
int gDestroyed = 0;

}  // namespace

ORV_PLUGIN_EXPORT orv::plugins::IOrvLibrary* _CreateClassInstance() {
  ++gCreated;
  return new TQuietLibrary();
}

ORV_PLUGIN_EXPORT void _DestroyClassInstance(orv::plugins::IOrvLibrary* object) {
  ++gDestroyed;
  delete static_cast<TQuietLibrary*>(object);
}

ORV_PLUGIN_EXPORT bool _GetDLLVersion(orv::plugins::FILE_VERSION_DATA* version) {
  if (!gVersionAnswers || version == nullptr) return false;
  *version = gVersion;
  return true;
}

// Test controls.
ORV_PLUGIN_EXPORT void _TestSetVersion(unsigned major, unsigned minor, unsigned release, unsigned build, bool answers) {
  gVersion = {major, minor, release, build};
  gVersionAnswers = answers;
}
ORV_PLUGIN_EXPORT void _TestCounts(int* created, int* destroyed, int* closePort, int* closeLink) {
  *created = gCreated;
  *destroyed = gDestroyed;
  *closePort = TQuietLibrary::ClosePortCalls;
  *closeLink = TQuietLibrary::CloseLinkCalls;
}
ORV_PLUGIN_EXPORT void _TestSetLinkOpen(bool open) { TQuietLibrary::LinkOpen = open; }
