#include "orv/items/Vectordata.h"

#include <algorithm>
#include <array>
#include <climits>
#include <mutex>

#include "orv/platform/Messages.h"

namespace orv::items {

namespace {

constexpr std::uint32_t kColumnsShift = 12;
constexpr std::uint32_t kColumnsBits = 0xFFu << kColumnsShift;

// Whole arrays are read through this scratch buffer so that a library that
// fills more than the item holds cannot write past it (at most 255 values).
using TScratch = std::array<std::int32_t, 256>;

bool AnyConversionError(std::span<const std::int32_t> raw) {
  return std::any_of(raw.begin(), raw.end(), [](std::int32_t v) { return IsConversionError(v); });
}

std::int32_t FirstConversionError(std::span<const std::int32_t> raw) {
  for (std::int32_t v : raw) {
    if (IsConversionError(v)) return v;
  }
  return 0;
}

// Reads an element's file value: true with the value when the key exists and
// holds a number.
bool ReadFloatKey(platform::TCustomIniFile& ini, const std::string& section, const std::string& key, double& out) {
  if (!ini.ValueExists(section, key)) return false;
  const double v0 = ini.ReadFloat(section, key, 0.0);
  const double v1 = ini.ReadFloat(section, key, 1.0);
  if (v0 != v1) return false;
  out = v0;
  return true;
}

bool ReadIntKey(platform::TCustomIniFile& ini, const std::string& section, const std::string& key, std::int32_t& out) {
  if (!ini.ValueExists(section, key)) return false;
  const long i0 = ini.ReadInteger(section, key, 0);
  const long i1 = ini.ReadInteger(section, key, 1);
  if (i0 != i1 || i0 < INT32_MIN || i0 > INT32_MAX) return false;
  out = static_cast<std::int32_t>(i0);
  return true;
}

}  // namespace

// ---------------------------------------------------------------- vector

void TOrvArrayData::BackupData() {
  FBackupValues = FValues;
  FHasBackup = true;
}

void TOrvArrayData::DiscardBackup() {
  FBackupValues.clear();
  FHasBackup = false;
}

void TOrvArrayData::RestoreBackup() {
  if (!FHasBackup) return;
  if (FBackupValues.size() == FValues.size()) FValues = FBackupValues;
  DiscardBackup();
}

bool TOrvArrayData::SetDataInEcu(std::span<const std::int32_t> raw) {
  if (raw.size() < FValues.size()) return false;
  raw = raw.first(FValues.size());
  if (AnyConversionError(raw)) {
    RefuseErrorValue(FirstConversionError(raw));
    return false;
  }
  // The caller's span may alias the held values.
  const std::vector<std::int32_t> values(raw.begin(), raw.end());
  DataValid = false;
  if (AccessLibrary() == nullptr) {
    FValues = values;
    DoError(true);
    return true;
  }
  DoBeforeSetData();
  plugins::IOrvLibrary* library = AccessLibrary();
  if (library == nullptr) {
    FValues = values;
    DoError(true);
    return true;
  }
  {
    std::lock_guard lock(Connection()->Lock());
    DataValid = WriteAll(*library, values);
  }
  if (DataValid) {
    FValues = values;
    DoSetData();
  } else {
    DoError(true);
  }
  return DataValid;
}

bool TOrvArrayData::Download() { return SetDataInEcu(FValues); }

bool TOrvArrayData::GetData(std::span<double> values) {
  if (values.size() < FValues.size()) return false;
  BackupData();
  const bool ok = Reload();
  if (ok)
    DiscardBackup();
  else
    RestoreBackup();
  for (std::size_t i = 0; i < FValues.size(); ++i) values[i] = ConvertValueToUser(FValues[i]);
  return ok;
}

TOrvVector::TOrvVector(platform::TComponent* owner) : TOrvVector(owner, 0) {}

TOrvVector::TOrvVector(platform::TComponent* owner, int serialCode, int rowIndex, int colIndex)
    : TOrvArrayData(owner, serialCode, sdtVector) {
  if (rowIndex >= 0) FRowIndex = rowIndex;
  if (colIndex >= 0) FColIndex = colIndex;
  AllocateMemory();
  FDataDescriptor |= kDescArray;
}

TOrvVector::~TOrvVector() {
  DeallocateMemory();
  DiscardBackup();
}

void TOrvVector::AllocateMemory() {
  if (FMemoryAllocated) DeallocateMemory();
  FValues.assign(static_cast<std::size_t>(FColCount), 0);
  FDefaultValues.assign(static_cast<std::size_t>(FColCount), 0.0);
  FMemoryAllocated = true;
}

void TOrvVector::DeallocateMemory() {
  if (!FMemoryAllocated) return;
  FValues.clear();
  FDefaultValues.clear();
  FMemoryAllocated = false;
}

void TOrvVector::SetArrayDimension(int count) {
  const int cut = count & 0xFF;
  if (count <= 0 || cut == 0 || cut == FColCount) return;
  DeallocateMemory();
  FColCount = cut;
  AllocateMemory();
  FDataDescriptor = (FDataDescriptor & ~kColumnsBits) | (static_cast<std::uint32_t>(FColCount) << kColumnsShift);
}

TVectorType TOrvVector::GetVectorType() const {
  if (FColIndex >= 0) return vtMatrixCol;
  if (FRowIndex >= 0) return vtMatrixRow;
  return vtSingle;
}

void TOrvVector::SetVectorType(TVectorType type) {
  switch (type) {
    case vtMatrixRow:
      FColIndex = -1;
      if (FRowIndex < 0) FRowIndex = 0;
      break;
    case vtMatrixCol:
      FRowIndex = -1;
      if (FColIndex < 0) FColIndex = 0;
      break;
    default:
      FRowIndex = -1;
      FColIndex = -1;
      break;
  }
}

void TOrvVector::SetIndexRow(int index) {
  if (index >= 0 && FRowIndex >= 0) FRowIndex = index;
}

void TOrvVector::SetIndexCol(int index) {
  if (index >= 0 && FColIndex >= 0) FColIndex = index;
}

void TOrvVector::SetDefValue(int index, double value) {
  if (index >= 0 && index < static_cast<int>(FDefaultValues.size()))
    FDefaultValues[static_cast<std::size_t>(index)] = value;
}

double TOrvVector::GetDefValue(int index) const {
  if (index < 0 || index >= static_cast<int>(FDefaultValues.size())) return 0.0;
  return FDefaultValues[static_cast<std::size_t>(index)];
}

bool TOrvVector::ReadAll(plugins::IOrvLibrary& library, int& status) {
  const std::uint32_t cw = FDataDescriptor;
  const int n = FColCount;
  bool ok = true;
  if (ByAddress) {
    for (int i = 0; i < n; ++i) {
      ok = library.ReadByAddress(cw, Address + i * DataLength(), &FValues[static_cast<std::size_t>(i)]) && ok;
      if (library.GetLastStatus() != 0) break;
    }
  } else if (GetVectorType() == vtMatrixCol) {
    for (int i = 0; i < n; ++i) {
      ok = library.ReadDataRowCol(cw, &FValues[static_cast<std::size_t>(i)], i, FColIndex) && ok;
      if (library.GetLastStatus() != 0) break;
    }
  } else {
    TScratch scratch{};
    std::copy(FValues.begin(), FValues.end(), scratch.begin());
    if (GetVectorType() == vtSingle)
      ok = library.ReadData(cw, scratch.data());
    else
      ok = library.ReadDataIndex(cw & ~kDescArray, scratch.data(), FRowIndex);
    std::copy_n(scratch.begin(), n, FValues.begin());
  }
  status = library.GetLastStatus();
  return ok;
}

bool TOrvVector::Reload() {
  if (DataValid) return true;
  if (Connection() == nullptr) {
    DataValid = false;
    return false;
  }
  if (AccessLibrary() == nullptr) {
    DoError(false);
    DataValid = false;
    return false;
  }
  DoBeforeGetData();
  plugins::IOrvLibrary* library = AccessLibrary();
  if (library == nullptr) {
    DataValid = false;
    return false;
  }
  int status = 0;
  {
    std::lock_guard lock(Connection()->Lock());
    if (library->IsLinkOpen() == 0)
      DataValid = true;
    else
      DataValid = ReadAll(*library, status);
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

bool TOrvVector::WriteAll(plugins::IOrvLibrary& library, std::span<const std::int32_t> raw) {
  const std::uint32_t cw = FDataDescriptor;
  const int n = FColCount;
  bool ok = true;
  const TVectorType type = GetVectorType();
  if (ByAddress) {
    for (int i = 0; i < n; ++i)
      ok = library.WriteByAddress(cw, Address + i * DataLength(), raw[static_cast<std::size_t>(i)]) && ok;
  } else if (type == vtMatrixCol) {
    for (int i = 0; i < n; ++i) ok = library.WriteDataRowCol(cw, i, FColIndex, raw[static_cast<std::size_t>(i)]) && ok;
  } else if (SingleElementAccess) {
    for (int i = 0; i < n; ++i) {
      if (type == vtSingle)
        ok = library.WriteDataIndex(cw, i, raw[static_cast<std::size_t>(i)]) && ok;
      else
        ok = library.WriteDataRowCol(cw, FRowIndex, i, raw[static_cast<std::size_t>(i)]) && ok;
    }
  } else if (type == vtSingle) {
    ok = library.WriteArray(cw, raw.data());
  } else {
    ok = library.WriteRow(cw, raw.data(), FRowIndex);
  }
  return ok;
}

bool TOrvVector::WriteElement(plugins::IOrvLibrary& library, int index, std::int32_t raw) {
  const std::uint32_t cw = FDataDescriptor;
  if (ByAddress) return library.WriteByAddress(cw, Address + index * DataLength(), raw);
  switch (GetVectorType()) {
    case vtMatrixRow:
      return library.WriteDataRowCol(cw, FRowIndex, index, raw);
    case vtMatrixCol:
      return library.WriteDataRowCol(cw, index, FColIndex, raw);
    default:
      return library.WriteDataIndex(cw, index, raw);
  }
}

bool TOrvVector::GetData(double& value, int index) {
  if (index < 0 || index >= FColCount) {
    value = 0.0;
    return false;
  }
  const auto i = static_cast<std::size_t>(index);
  const std::int32_t remembered = FValues[i];
  const bool ok = Reload();
  if (!ok) FValues[i] = remembered;
  value = ConvertValueToUser(FValues[i]);
  return ok;
}

double TOrvVector::GetDouble(int index) {
  double value = 0.0;
  GetData(value, index);
  return value;
}

int TOrvVector::GetInt(int index) { return RoundGetInt(GetDouble(index)); }

bool TOrvVector::SetData(std::span<const double> values) {
  if (ReadOnly || values.size() < FValues.size()) return false;
  std::vector<std::int32_t> raw(FValues.size());
  for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = ConvertValueToEcu(values[i], &FValues[i]);
  return SetDataInEcu(raw);
}

bool TOrvVector::SetData(double value, int index) {
  if (ReadOnly || index < 0 || index >= FColCount) return false;
  const auto i = static_cast<std::size_t>(index);
  const int r0 = ConvertValueToEcu(value, &FValues[i]);
  if (IsConversionError(r0)) {
    RefuseErrorValue(r0);
    return false;
  }
  DataValid = false;
  if (AccessLibrary() == nullptr) {
    FValues[i] = r0;
    DoError(true);
    return true;
  }
  DoBeforeSetData();
  plugins::IOrvLibrary* library = AccessLibrary();
  if (library == nullptr) {
    FValues[i] = r0;
    DoError(true);
    return true;
  }
  bool ok = false;
  {
    std::lock_guard lock(Connection()->Lock());
    ok = WriteElement(*library, index, r0);
  }
  DataValid = ok;
  if (ok) {
    FValues[i] = r0;
    DoSetData();
  } else {
    DoError(true);
  }
  return ok;
}

bool TOrvVector::SetEcuData(std::span<const std::int32_t> raw) {
  if (ReadOnly || raw.size() < FValues.size()) return false;
  std::vector<std::int32_t> merged(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(FValues.size()));
  if (AnyConversionError(merged)) {
    RefuseErrorValue(FirstConversionError(merged));
    return false;
  }
  if (DataMask() != FullMask()) {
    const bool notify = NotifyEnabled;
    NotifyEnabled = false;
    const bool loaded = Load();
    NotifyEnabled = notify;
    if (!loaded) return false;
    for (std::size_t i = 0; i < merged.size(); ++i) merged[i] = (FValues[i] & ~DataMask()) | (merged[i] & DataMask());
  }
  return SetDataInEcu(merged);
}

bool TOrvVector::ResetDefault(bool write) {
  std::vector<std::int32_t> raw(FValues.size());
  for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = ConvertValueToEcu(FDefaultValues[i], &FValues[i]);
  bool result = true;
  if (write) {
    if (AnyConversionError(raw)) {
      RefuseErrorValue(FirstConversionError(raw));
      return false;
    }
    FValues = raw;
    result = SetDataInEcu(raw);
  } else {
    FValues = raw;
  }
  if (result) NotifyData(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(this), 0);
  return result;
}

std::string TOrvVector::FileKey(int index) const {
  switch (GetVectorType()) {
    case vtMatrixRow:
      return FileKeyName + std::to_string(FRowIndex) + "_" + std::to_string(index);
    case vtMatrixCol:
      return FileKeyName + std::to_string(index) + "_" + std::to_string(FColIndex);
    default:
      return FileKeyName + std::to_string(index);
  }
}

bool TOrvVector::WriteToFile(platform::TCustomIniFile& ini) {
  if (FileKeyName.empty() && FileSection.empty()) return true;
  if (FileKeyName.empty() || FileSection.empty()) return false;
  for (int i = 0; i < FColCount; ++i) {
    const std::int32_t raw = FValues[static_cast<std::size_t>(i)];
    ini.WriteFloat(FileSection, FileKey(i), StoreUserValue ? ConvertValueToUser(raw) : static_cast<double>(raw));
  }
  return true;
}

bool TOrvVector::ReadFromFile(platform::TCustomIniFile& ini) {
  if (FileKeyName.empty() && FileSection.empty()) return true;
  if (FileKeyName.empty() || FileSection.empty()) return false;
  std::vector<std::int32_t> copy = FValues;
  for (int i = 0; i < FColCount; ++i) {
    const auto e = static_cast<std::size_t>(i);
    const std::string key = FileKey(i);
    if (StoreUserValue) {
      double v = 0.0;
      if (ReadFloatKey(ini, FileSection, key, v)) copy[e] = ConvertValueToEcu(v, &FValues[e]);
    } else {
      std::int32_t v = 0;
      if (!ReadIntKey(ini, FileSection, key, v)) continue;
      if (DataMask() != FullMask()) {
        Reload();
        v = (FValues[e] & ~DataMask()) | (v & DataMask());
      }
      copy[e] = v;
    }
  }
  if (OldReadFileMode) {
    if (AnyConversionError(copy)) {
      RefuseErrorValue(FirstConversionError(copy));
      return false;
    }
    FValues = copy;
    NotifyData(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(this), 0);
    return true;
  }
  const bool ok = SetEcuData(copy);
  if (!ok) NotifyData(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(this), 0);
  return ok;
}

// ---------------------------------------------------------------- matrix

TOrvMatrix::TOrvMatrix(platform::TComponent* owner, int serialCode) : TOrvArrayData(owner, serialCode, sdtMatrix) {
  FRowIndex = -1;
  FColIndex = -1;
  AllocateMemory();
  FDataDescriptor |= kDescArray;
}

TOrvMatrix::~TOrvMatrix() {
  DeallocateMemory();
  DiscardBackup();
}

std::int32_t TOrvMatrix::Value(int row, int col) const {
  return Inside(row, col) ? FValues[static_cast<std::size_t>(Index(row, col))] : 0;
}

void TOrvMatrix::AllocateMemory() {
  if (FMemoryAllocated) DeallocateMemory();
  FValues.assign(static_cast<std::size_t>(Count()), 0);
  FDefaultValues.assign(static_cast<std::size_t>(Count()), 0.0);
  FMemoryAllocated = true;
}

void TOrvMatrix::DeallocateMemory() {
  if (!FMemoryAllocated) return;
  FValues.clear();
  FDefaultValues.clear();
  FMemoryAllocated = false;
}

void TOrvMatrix::DimensionsChanged() { NotifyData(platform::WM_CHANGEDATADIM, FColCount, FRowCount); }

void TOrvMatrix::SetColumnDimension(int count) {
  const int cut = count & 0xFF;
  if (count <= 0 || cut == 0 || cut == FColCount) return;
  DeallocateMemory();
  FColCount = cut;
  AllocateMemory();
  FDataDescriptor = (FDataDescriptor & ~kColumnsBits) | (static_cast<std::uint32_t>(FColCount) << kColumnsShift);
  DimensionsChanged();
}

void TOrvMatrix::SetRowDimension(int count) {
  const int cut = count & 0xFF;
  if (count <= 0 || cut == 0 || cut == FRowCount) return;
  DeallocateMemory();
  FRowCount = cut;
  AllocateMemory();
  DimensionsChanged();
}

TMatrixType TOrvMatrix::GetMatrixType() const {
  if (FRowCount > 1 && FColCount > 1) return mtMatrix;
  if (FRowCount == 1 && FColCount == 1) return mtSingle;
  return mtVector;
}

void TOrvMatrix::SetMatrixType(TMatrixType type) {
  DeallocateMemory();
  switch (type) {
    case mtVector:
      if ((FRowCount == 1 && FColCount == 1) || (FRowCount > 1 && FColCount > 1)) {
        FRowCount = 1;
        FColCount = 5;
      }
      break;
    case mtMatrix:
      if (FColCount <= 1) FColCount = 5;
      if (FRowCount <= 1) FRowCount = 4;
      break;
    default:
      FRowCount = 1;
      FColCount = 1;
      break;
  }
  AllocateMemory();
  DimensionsChanged();
}

void TOrvMatrix::SetDefValue(int row, int col, double value) {
  if (Inside(row, col)) FDefaultValues[static_cast<std::size_t>(Index(row, col))] = value;
}

double TOrvMatrix::GetDefValue(int row, int col) const {
  return Inside(row, col) ? FDefaultValues[static_cast<std::size_t>(Index(row, col))] : 0.0;
}

bool TOrvMatrix::ReadAll(plugins::IOrvLibrary& library, int& status) {
  const std::uint32_t cw = FDataDescriptor;
  bool ok = true;
  if (ByAddress) {
    for (int k = 0; k < Count(); ++k) {
      ok = library.ReadByAddress(cw, Address + k * DataLength(), &FValues[static_cast<std::size_t>(k)]) && ok;
      if (library.GetLastStatus() != 0) break;
    }
  } else {
    switch (GetMatrixType()) {
      case mtSingle:
        ok = library.ReadData(cw & ~kDescArray, &FValues[0]);
        break;
      case mtMatrix:
        for (int r = 0; r < FRowCount; ++r) {
          TScratch scratch{};
          auto row = FValues.begin() + Index(r, 0);
          std::copy_n(row, FColCount, scratch.begin());
          ok = library.ReadDataIndex(cw, scratch.data(), r) && ok;
          std::copy_n(scratch.begin(), FColCount, row);
          if (library.GetLastStatus() != 0) break;
        }
        break;
      case mtVector:
        if (FRowCount == 1) {
          TScratch scratch{};
          std::copy(FValues.begin(), FValues.end(), scratch.begin());
          ok = library.ReadData(cw, scratch.data());
          std::copy_n(scratch.begin(), FColCount, FValues.begin());
        } else {
          for (int r = 0; r < FRowCount; ++r) {
            ok = library.ReadDataIndex(cw & ~kDescArray, &FValues[static_cast<std::size_t>(r)], r) && ok;
            if (library.GetLastStatus() != 0) break;
          }
        }
        break;
    }
  }
  status = library.GetLastStatus();
  return ok;
}

bool TOrvMatrix::Reload() {
  if (DataValid) return true;
  if (Connection() == nullptr) {
    DataValid = false;
    return false;
  }
  if (AccessLibrary() == nullptr) {
    DoError(false);
    DataValid = false;
    return false;
  }
  DoBeforeGetData();
  plugins::IOrvLibrary* library = AccessLibrary();
  if (library == nullptr) {
    DataValid = false;
    return false;
  }
  int status = 0;
  {
    std::lock_guard lock(Connection()->Lock());
    if (library->IsLinkOpen() == 0)
      DataValid = true;
    else
      DataValid = ReadAll(*library, status);
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

bool TOrvMatrix::WriteAll(plugins::IOrvLibrary& library, std::span<const std::int32_t> raw) {
  const std::uint32_t cw = FDataDescriptor;
  bool ok = true;
  if (ByAddress) {
    for (int k = 0; k < Count(); ++k)
      ok = library.WriteByAddress(cw, Address + k * DataLength(), raw[static_cast<std::size_t>(k)]) && ok;
    return ok;
  }
  switch (GetMatrixType()) {
    case mtSingle:
      return library.WriteData(cw, raw[0]);
    case mtMatrix:
      for (int r = 0; r < FRowCount; ++r) {
        if (SingleElementAccess) {
          for (int c = 0; c < FColCount; ++c)
            ok = library.WriteDataRowCol(cw, r, c, raw[static_cast<std::size_t>(Index(r, c))]) && ok;
        } else {
          ok = library.WriteRow(cw, raw.data() + Index(r, 0), r) && ok;
        }
      }
      return ok;
    case mtVector:
      if (FRowCount == 1) {
        if (!SingleElementAccess) return library.WriteArray(cw, raw.data());
        for (int c = 0; c < FColCount; ++c) ok = library.WriteDataIndex(cw, c, raw[static_cast<std::size_t>(c)]) && ok;
        return ok;
      }
      for (int r = 0; r < FRowCount; ++r) ok = library.WriteDataIndex(cw, r, raw[static_cast<std::size_t>(r)]) && ok;
      return ok;
  }
  return false;
}

bool TOrvMatrix::WriteElement(plugins::IOrvLibrary& library, int row, int col, std::int32_t raw) {
  const std::uint32_t cw = FDataDescriptor;
  if (ByAddress) return library.WriteByAddress(cw, Address + Index(row, col) * DataLength(), raw);
  switch (GetMatrixType()) {
    case mtSingle:
      return library.WriteData(cw, raw);
    case mtMatrix:
      return library.WriteDataRowCol(cw, row, col, raw);
    case mtVector:
      return library.WriteDataIndex(cw, FRowCount == 1 ? col : row, raw);
  }
  return false;
}

bool TOrvMatrix::WriteOneRow(plugins::IOrvLibrary& library, int row, std::span<const std::int32_t> raw) {
  const std::uint32_t cw = FDataDescriptor;
  if (ByAddress) {
    bool ok = true;
    for (int c = 0; c < FColCount; ++c)
      ok = library.WriteByAddress(cw, Address + Index(row, c) * DataLength(), raw[static_cast<std::size_t>(c)]) && ok;
    return ok;
  }
  switch (GetMatrixType()) {
    case mtSingle:
      return library.WriteData(cw, raw[0]);
    case mtMatrix:
      return library.WriteRow(cw, raw.data(), row);
    case mtVector:
      if (FRowCount == 1) return library.WriteArray(cw, raw.data());
      return library.WriteDataIndex(cw, row, raw[0]);
  }
  return false;
}

bool TOrvMatrix::GetData(std::span<double> row, int rowIndex) {
  if (rowIndex < 0 || rowIndex >= FRowCount || row.size() < static_cast<std::size_t>(FColCount)) return false;
  BackupData();
  const bool ok = Reload();
  if (ok)
    DiscardBackup();
  else
    RestoreBackup();
  for (int c = 0; c < FColCount; ++c)
    row[static_cast<std::size_t>(c)] = ConvertValueToUser(FValues[static_cast<std::size_t>(Index(rowIndex, c))]);
  return ok;
}

bool TOrvMatrix::GetData(double& value, int row, int col) {
  if (!Inside(row, col)) return false;
  const auto i = static_cast<std::size_t>(Index(row, col));
  const std::int32_t remembered = FValues[i];
  const bool ok = Reload();
  if (!ok) FValues[i] = remembered;
  value = ConvertValueToUser(FValues[i]);
  return ok;
}

double TOrvMatrix::GetDouble(int row, int col) {
  double value = 0.0;
  if (!Inside(row, col)) return 0.0;
  GetData(value, row, col);
  return value;
}

int TOrvMatrix::GetInt(int row, int col) {
  if (!Inside(row, col)) return 0;
  return RoundGetInt(GetDouble(row, col));
}

bool TOrvMatrix::SetData(std::span<const double> values) {
  if (ReadOnly || values.size() < FValues.size()) return false;
  std::vector<std::int32_t> raw(FValues.size());
  for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = ConvertValueToEcu(values[i], &FValues[i]);
  return SetDataInEcu(raw);
}

bool TOrvMatrix::SetData(std::span<const double> row, int rowIndex) {
  if (ReadOnly || rowIndex < 0 || rowIndex >= FRowCount || row.size() < static_cast<std::size_t>(FColCount))
    return false;
  std::vector<std::int32_t> raw(static_cast<std::size_t>(FColCount));
  for (int c = 0; c < FColCount; ++c)
    raw[static_cast<std::size_t>(c)] =
        ConvertValueToEcu(row[static_cast<std::size_t>(c)], &FValues[static_cast<std::size_t>(Index(rowIndex, c))]);
  if (AnyConversionError(raw)) {
    RefuseErrorValue(FirstConversionError(raw));
    return false;
  }
  const auto store = [&] { std::copy(raw.begin(), raw.end(), FValues.begin() + Index(rowIndex, 0)); };
  DataValid = false;
  if (Connection() == nullptr) {
    store();
    return true;
  }
  if (AccessLibrary() == nullptr) {
    DoError(true);
    return false;
  }
  DoBeforeSetData();
  plugins::IOrvLibrary* library = AccessLibrary();
  if (library == nullptr) {
    store();
    return true;
  }
  bool ok = false;
  {
    std::lock_guard lock(Connection()->Lock());
    ok = WriteOneRow(*library, rowIndex, raw);
  }
  DataValid = ok;
  if (ok) {
    store();
    DoSetData();
  } else {
    DoError(true);
  }
  return ok;
}

bool TOrvMatrix::SetData(double value, int row, int col) {
  if (ReadOnly || !Inside(row, col)) return false;
  const auto i = static_cast<std::size_t>(Index(row, col));
  const int r0 = ConvertValueToEcu(value, &FValues[i]);
  if (IsConversionError(r0)) {
    RefuseErrorValue(r0);
    return false;
  }
  DataValid = false;
  if (Connection() == nullptr) {
    FValues[i] = r0;
    return true;
  }
  if (AccessLibrary() == nullptr) {
    DoError(true);
    return false;
  }
  DoBeforeSetData();
  plugins::IOrvLibrary* library = AccessLibrary();
  if (library == nullptr) {
    FValues[i] = r0;
    return true;
  }
  bool ok = false;
  {
    std::lock_guard lock(Connection()->Lock());
    ok = WriteElement(*library, row, col, r0);
  }
  DataValid = ok;
  if (ok) {
    FValues[i] = r0;
    DoSetData();
  } else {
    DoError(true);
  }
  return ok;
}

bool TOrvMatrix::SetEcuData(std::span<const std::int32_t> raw) {
  if (ReadOnly || raw.size() < FValues.size()) return false;
  std::vector<std::int32_t> merged(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(FValues.size()));
  if (AnyConversionError(merged)) {
    RefuseErrorValue(FirstConversionError(merged));
    return false;
  }
  if (DataMask() != FullMask()) {
    const bool notify = NotifyEnabled;
    NotifyEnabled = false;
    const bool loaded = Load();
    NotifyEnabled = notify;
    if (!loaded) return false;
    for (std::size_t i = 0; i < merged.size(); ++i) merged[i] = (FValues[i] & ~DataMask()) | (merged[i] & DataMask());
  }
  return SetDataInEcu(merged);
}

bool TOrvMatrix::ResetDefault(bool write) {
  std::vector<std::int32_t> raw(FValues.size());
  for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = ConvertValueToEcu(FDefaultValues[i], &FValues[i]);
  bool result = true;
  if (write) {
    if (AnyConversionError(raw)) {
      RefuseErrorValue(FirstConversionError(raw));
      return false;
    }
    FValues = raw;
    result = SetDataInEcu(raw);
  } else {
    FValues = raw;
  }
  if (result) NotifyData(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(this), 0);
  return result;
}

std::string TOrvMatrix::FileKey(int row, int col) const {
  switch (GetMatrixType()) {
    case mtSingle:
      return FileKeyName;
    case mtVector:
      return FileKeyName + std::to_string(FRowCount == 1 ? col : row);
    case mtMatrix:
      break;
  }
  return FileKeyName + std::to_string(row) + "_" + std::to_string(col);
}

bool TOrvMatrix::WriteToFile(platform::TCustomIniFile& ini) {
  if (FileKeyName.empty() && FileSection.empty()) return true;
  if (FileKeyName.empty() || FileSection.empty()) return false;
  for (int r = 0; r < FRowCount; ++r) {
    for (int c = 0; c < FColCount; ++c) {
      const std::int32_t raw = FValues[static_cast<std::size_t>(Index(r, c))];
      ini.WriteFloat(FileSection, FileKey(r, c), StoreUserValue ? ConvertValueToUser(raw) : static_cast<double>(raw));
    }
  }
  return true;
}

bool TOrvMatrix::ReadFromFile(platform::TCustomIniFile& ini) {
  if (FileKeyName.empty() && FileSection.empty()) return true;
  if (FileKeyName.empty() || FileSection.empty()) return false;
  std::vector<std::int32_t> copy = FValues;
  for (int r = 0; r < FRowCount; ++r) {
    for (int c = 0; c < FColCount; ++c) {
      const auto e = static_cast<std::size_t>(Index(r, c));
      const std::string key = FileKey(r, c);
      if (StoreUserValue) {
        double v = 0.0;
        if (ReadFloatKey(ini, FileSection, key, v)) copy[e] = ConvertValueToEcu(v, &FValues[e]);
      } else {
        std::int32_t v = 0;
        if (!ReadIntKey(ini, FileSection, key, v)) continue;
        if (DataMask() != FullMask()) {
          Reload();
          v = (FValues[e] & ~DataMask()) | (v & DataMask());
        }
        copy[e] = v;
      }
    }
  }
  if (OldReadFileMode) {
    if (AnyConversionError(copy)) {
      RefuseErrorValue(FirstConversionError(copy));
      return false;
    }
    FValues = copy;
    NotifyData(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(this), 0);
    return true;
  }
  const bool ok = SetEcuData(copy);
  if (!ok) NotifyData(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(this), 0);
  return ok;
}

}  // namespace orv::items
