#include <cstdint>

#include "orv/items/Serialdata.h"
#include "orv/platform/Messages.h"

namespace orv::items {

namespace {
constexpr int kMinTimeInterval = 20;
constexpr int kPacketHeader = 4;  // the refresher's 32-bit length field
constexpr int kPacketBufferSize = 256;
}  // namespace

TOrvPacketData::TOrvPacketData(platform::TComponent* owner, int serialCode)
    : TOrvSerialData(owner, serialCode, sdtPacket) {
  FColCount = 1;
  FRowCount = 1;
  FColIndex = -1;
  FRowIndex = -1;
  AllocateMemory();
  FDataDescriptor |= kDescPacket;
  ReadOnly = true;
}

TOrvPacketData::~TOrvPacketData() {
  if (FDataRefresher != nullptr) {
    if (FRegistered) FDataRefresher->RemoveRefresh(this, FDataDescriptor, -1);
    FDataRefresher = nullptr;
  }
}

void TOrvPacketData::SetDataRefresher(TDataRefresherBase* refresher) {
  if (FDataRefresher != nullptr) {
    if (FRegistered) FDataRefresher->RemoveRefresh(this, FDataDescriptor, -1);
  }
  if (refresher != nullptr) FreeNotification(refresher);
  FDataRefresher = refresher;
  FRegistered = false;
  SetActive(FActive);
}

void TOrvPacketData::SetActive(bool active) {
  FActive = active;
  if (IsDesigning() || FDataRefresher == nullptr) return;
  if (!FRegistered) {
    FDataRefresher->AddRefresh(this, FTimeInterval, FDataDescriptor, -1);
    FRegistered = true;
  }
  if (active)
    FDataRefresher->ResumeRefresh(this, FDataDescriptor, -1);
  else
    FDataRefresher->SuspendRefresh(this, FDataDescriptor, -1);
}

void TOrvPacketData::SetTimeInterval(int interval) {
  if (interval < kMinTimeInterval) return;
  FTimeInterval = interval;
  if (FRegistered && FDataRefresher != nullptr && !IsDesigning())
    FDataRefresher->AddRefresh(this, FTimeInterval, FDataDescriptor, -1);
}

void TOrvPacketData::SetSerialCode(int code) {
  if (code < 0) return;
  const std::uint32_t previous = FDataDescriptor;
  TOrvSerialData::SetSerialCode(code);
  if (FRegistered && FDataRefresher != nullptr && !IsDesigning()) {
    FDataRefresher->RemoveRefresh(this, previous, -1);
    FDataRefresher->AddRefresh(this, FTimeInterval, FDataDescriptor, -1);
    if (!FActive) FDataRefresher->SuspendRefresh(this, FDataDescriptor, -1);
  }
}

void TOrvPacketData::UpdateData(const void* bytes) {
  // A datum outside the refresher's buffer is never taken.
  if (bytes == nullptr || Offset < 0 || kPacketHeader + Offset + DataLength() > kPacketBufferSize) return;
  DoBeforeGetData();
  EcuValue = RawFromBytes(static_cast<const std::uint8_t*>(bytes) + kPacketHeader + Offset);
  DoGetData();
}

double TOrvPacketData::GetDouble() { return ConvertValueToUser(EcuValue); }

int TOrvPacketData::GetInt() { return RoundGetInt(GetDouble()); }

void TOrvPacketData::InitData(double userValue) {
  EcuValue = ConvertValueToEcu(userValue, &EcuValue);
  NotifyData(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(this), 0);
}

void TOrvPacketData::Notification(platform::TComponent* component, platform::TOperation operation) {
  TOrvSerialData::Notification(component, operation);
  if (operation == platform::TOperation::opRemove && component != nullptr && component == FDataRefresher) {
    FDataRefresher = nullptr;
    FActive = false;
    FRegistered = false;
  }
}

}  // namespace orv::items
