#include <cstdint>
#include <mutex>

#include "orv/items/Serialdata.h"
#include "orv/platform/Messages.h"

namespace orv::items {

TOrvNumber::TOrvNumber(platform::TComponent* owner) : TOrvNumber(owner, 0) {}

TOrvNumber::TOrvNumber(platform::TComponent* owner, int serialCode, int rowIndex, int colIndex)
    : TOrvSerialData(owner, serialCode, sdtNumber) {
  FColCount = 1;
  FRowCount = 1;
  if (rowIndex >= 0) FRowIndex = rowIndex;
  if (colIndex >= 0) FColIndex = colIndex;
  AllocateMemory();
}

void TOrvNumber::AllocateMemory() {
  EcuValue = 0;
  DefaultValue = 0.0;
}

TNumberType TOrvNumber::GetNumberType() const {
  if (FRowIndex < 0) return ntSingle;
  return FColIndex < 0 ? ntVectorElement : ntMatrixElement;
}

void TOrvNumber::SetNumberType(TNumberType type) {
  switch (type) {
    case ntVectorElement:
      FColIndex = -1;
      if (FRowIndex < 0) FRowIndex = 0;
      break;
    case ntMatrixElement:
      if (FColIndex < 0) FColIndex = 0;
      if (FRowIndex < 0) FRowIndex = 0;
      break;
    default:
      FColIndex = -1;
      FRowIndex = -1;
      break;
  }
}

void TOrvNumber::SetIndexRow(int index) {
  if (index >= 0 && FRowIndex >= 0) FRowIndex = index;
}

void TOrvNumber::SetIndexCol(int index) {
  if (index >= 0 && FRowIndex >= 0 && FColIndex >= 0) FColIndex = index;
}

bool TOrvNumber::LibraryRead(plugins::IOrvLibrary& library) {
  if (ByAddress) return library.ReadByAddress(FDataDescriptor, Address, &EcuValue);
  if (FRowIndex < 0) return library.ReadData(FDataDescriptor, &EcuValue);
  if (FColIndex < 0) return library.ReadDataIndex(FDataDescriptor, &EcuValue, FRowIndex);
  return library.ReadDataRowCol(FDataDescriptor, &EcuValue, FRowIndex, FColIndex);
}

bool TOrvNumber::LibraryWrite(plugins::IOrvLibrary& library, std::int32_t raw) {
  if (ByAddress) return library.WriteByAddress(FDataDescriptor, Address, raw);
  if (FRowIndex < 0) return library.WriteData(FDataDescriptor, raw);
  if (FColIndex < 0) return library.WriteDataIndex(FDataDescriptor, FRowIndex, raw);
  return library.WriteDataRowCol(FDataDescriptor, FRowIndex, FColIndex, raw);
}

bool TOrvNumber::Reload() {
  if (DataValid) return true;
  DataValid = false;
  if (AccessLibrary() == nullptr) return true;
  DoBeforeGetData();
  // The handler may have changed the connection.
  plugins::IOrvLibrary* library = AccessLibrary();
  if (library == nullptr) return true;
  int status = 0;
  {
    std::lock_guard lock(Connection()->Lock());
    if (library->IsLinkOpen() == 0) {
      // While no link is open the held value counts as current.
      DataValid = true;
    } else {
      DataValid = LibraryRead(*library);
      status = library->GetLastStatus();
    }
  }
  if (DataValid)
    DoGetData();
  else
    DoError(false);
  if (status != 0) {
    DoComError(status);
    if ((status & kStatusUndefined) != 0) DataValid = true;
  }
  return DataValid;
}

bool TOrvNumber::GetData(double& value) {
  BackupData();
  const bool ok = Reload();
  if (!ok) RestoreBackup();
  value = ConvertValueToUser(EcuValue);
  return ok;
}

double TOrvNumber::GetDouble() {
  double value = 0.0;
  GetData(value);
  return value;
}

int TOrvNumber::GetInt() { return RoundGetInt(GetDouble()); }

bool TOrvNumber::SetData(double value) {
  if (ReadOnly) {
    NotifyData(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(this), 0);
    return false;
  }
  const int raw = ConvertValueToEcu(value, &EcuValue);
  return SetDataInEcu(raw);
}

bool TOrvNumber::SetEcuData(std::int32_t raw) {
  if (ReadOnly) return false;
  if (IsConversionError(raw)) {
    RefuseErrorValue(raw);
    return false;
  }
  if (DataMask() != FullMask()) {
    const bool notify = NotifyEnabled;
    NotifyEnabled = false;
    const bool loaded = Load();
    NotifyEnabled = notify;
    if (!loaded) return false;
    raw = (EcuValue & ~DataMask()) | (raw & DataMask());
  }
  return SetDataInEcu(raw);
}

bool TOrvNumber::SetDataInEcu(std::int32_t raw) {
  // A conversion error is no datum: the ECU keeps its value, and so does
  // the item.
  if (IsConversionError(raw)) {
    RefuseErrorValue(raw);
    return false;
  }
  DataValid = false;
  if (AccessLibrary() == nullptr) {
    EcuValue = raw;
    DoError(true);
    return true;
  }
  DoBeforeSetData();
  plugins::IOrvLibrary* library = AccessLibrary();
  if (library == nullptr) {
    EcuValue = raw;
    DoError(true);
    return true;
  }
  {
    std::lock_guard lock(Connection()->Lock());
    DataValid = LibraryWrite(*library, raw);
  }
  if (DataValid) {
    EcuValue = raw;
    DoSetData();
  } else {
    DoError(true);
  }
  return DataValid;
}

void TOrvNumber::InitData(const std::int32_t* value) {
  if (value == nullptr) return;
  EcuValue = *value;
  DataValid = true;
}

void TOrvNumber::UpdateData(const void* bytes) {
  if (bytes == nullptr) return;
  DoBeforeGetData();
  EcuValue = RawFromBytes(bytes);
  DoGetData();
}

bool TOrvNumber::ResetDefault(bool write) {
  const int raw = ConvertValueToEcu(DefaultValue, &EcuValue);
  bool result = true;
  if (write) {
    result = SetDataInEcu(raw);  // refuses an error value, held value kept
  } else {
    EcuValue = raw;
  }
  if (result) NotifyData(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(this), 0);
  return result;
}

std::string TOrvNumber::FileKey() const {
  switch (GetNumberType()) {
    case ntVectorElement:
      return FileKeyName + std::to_string(FRowIndex);
    case ntMatrixElement:
      return FileKeyName + std::to_string(FRowIndex) + "_" + std::to_string(FColIndex);
    default:
      return FileKeyName;
  }
}

bool TOrvNumber::WriteToFile(platform::TCustomIniFile& ini) {
  if (FileKeyName.empty() && FileSection.empty()) return true;
  if (FileKeyName.empty() || FileSection.empty()) return false;
  if (StoreUserValue)
    ini.WriteFloat(FileSection, FileKey(), ConvertValueToUser(EcuValue));
  else
    ini.WriteInteger(FileSection, FileKey(), EcuValue);
  return true;
}

bool TOrvNumber::ReadFromFile(platform::TCustomIniFile& ini) {
  if (FileKeyName.empty() && FileSection.empty()) return true;
  if (FileKeyName.empty() || FileSection.empty()) return false;
  const std::string key = FileKey();
  if (!ini.ValueExists(FileSection, key)) return false;
  const auto changed = [this] { NotifyData(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(this), 0); };
  if (StoreUserValue) {
    const double v0 = ini.ReadFloat(FileSection, key, 0.0);
    const double v1 = ini.ReadFloat(FileSection, key, 1.0);
    if (v0 != v1) return false;
    if (OldReadFileMode) {
      const int raw = ConvertValueToEcu(v0, &EcuValue);
      if (IsConversionError(raw)) {
        RefuseErrorValue(raw);
        return false;
      }
      EcuValue = raw;
      changed();
      return true;
    }
    const bool ok = SetData(v0);
    if (!ok) changed();
    return ok;
  }
  const long i0 = ini.ReadInteger(FileSection, key, 0);
  const long i1 = ini.ReadInteger(FileSection, key, 1);
  if (i0 != i1) return false;
  if (i0 < INT32_MIN || i0 > INT32_MAX) return false;  // no 32-bit datum
  const auto raw = static_cast<std::int32_t>(i0);
  if (OldReadFileMode) {
    EcuValue = raw;
    changed();
    return true;
  }
  const bool ok = SetEcuData(raw);
  if (!ok) changed();
  return ok;
}

}  // namespace orv::items
