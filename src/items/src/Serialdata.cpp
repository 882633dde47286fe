#include "orv/items/Serialdata.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "orv/items/Transformations.h"
#include "orv/platform/Messages.h"

namespace orv::items {

namespace {

// Saturating conversion of an already integral double; NaN has no raw value.
int SaturateToInt(double value) {
  if (std::isnan(value)) return kConvZeroDenominator;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

constexpr int kMaxNotifyDepth = 8;

bool IsContiguousRun(int mask) {
  if (mask == 0) return true;
  unsigned m = static_cast<unsigned>(mask);
  while ((m & 1u) == 0) m >>= 1;
  return (m & (m + 1)) == 0;
}

// First index k from 1 whose entry is at least (rising column) or at most
// (falling column) v; the last index when none qualifies.
int FindSegment(const double* column, int count, double v) {
  const bool rising = column[count - 1] > column[0];
  for (int k = 1; k < count; ++k) {
    if (rising ? column[k] >= v : column[k] <= v) return k;
  }
  return count - 1;
}

// Linear interpolation on segment k: y[k] − (y[k] − y[k−1]) · (x[k] − v) / (x[k] − x[k−1]).
double Interpolate(const double* x, const double* y, int k, double v) {
  return y[k] - (y[k] - y[k - 1]) * (x[k] - v) / (x[k] - x[k - 1]);
}

}  // namespace

int RoundHalfAwayFromZero(double value) { return SaturateToInt(std::trunc(value >= 0.0 ? value + 0.5 : value - 0.5)); }

int TruncateTowardZero(double value) { return SaturateToInt(std::trunc(value)); }

int RoundGetInt(double value) { return SaturateToInt(std::trunc(value + 0.5)); }

double RoundToPrecision(double value, double precision) {
  if (precision == 0.0) return value;
  const double q = value / precision;
  const double hi = std::ceil(q) * precision;
  const double lo = std::floor(q) * precision;
  return (value - lo) < (hi - value) ? lo : hi;
}

TOrvSerialData::TOrvSerialData(platform::TComponent* owner, int serialCode, SerialDataType dataType)
    : platform::TComponent(owner), FDataType(dataType) {
  if (serialCode < 0) serialCode = 0;
  FSerialCode = serialCode & 0xFF;
  FDataDescriptor = static_cast<std::uint32_t>(FSerialCode);
}

TOrvSerialData::~TOrvSerialData() {
  DeleteConversionTable();
  for (TOrvSerialData*& e : FExtCoeffs) {
    if (e != nullptr) e->RemoveNotificationList(this);
    e = nullptr;
  }
  // Destruction notices stay registered: one link between two components
  // can serve several roles (listener, external coefficient, connection), so
  // the component base tells every linked component, which clears its
  // references to this item.
  FConnection = nullptr;
  for (TBaseTransformation*& t : FTransformations) t = nullptr;
  FNotificationList.clear();
}

void TOrvSerialData::SetDataMask(int mask) {
  const int cut = mask & FullMask();
  if (cut == FDataMask || !IsContiguousRun(cut)) return;
  AllocateMemory();
  FDataMask = cut;
  DataValid = false;
}

void TOrvSerialData::SetDataLength(int length) {
  if ((length != 1 && length != 2) || length == FDataLength) return;
  AllocateMemory();
  FDataLength = length;
  FDataMask = length == 1 ? 0xFF : 0xFFFF;
  if (length == 2)
    FDataDescriptor |= kDescTwoBytes;
  else
    FDataDescriptor &= ~kDescTwoBytes;
  DataValid = false;
}

void TOrvSerialData::SetSerialCode(int code) {
  if (code < 0) return;
  FSerialCode = code & 0xFF;
  FDataDescriptor = (FDataDescriptor & ~0xFFu) | static_cast<std::uint32_t>(FSerialCode);
}

void TOrvSerialData::SetDataSigned(bool flag) {
  FSigned = flag;
  if (flag)
    FDataDescriptor |= kDescSigned;
  else
    FDataDescriptor &= ~kDescSigned;
}

void TOrvSerialData::SetPrecision(double p) {
  if (p < 0.0 || std::isnan(p)) return;
  FPrecision = p;
}

void TOrvSerialData::SetMinValue(double v) {
  if (v <= FValueMax || IsLoading()) FValueMin = v;
}

void TOrvSerialData::SetMaxValue(double v) {
  if (v >= FValueMin || IsLoading()) FValueMax = v;
}

std::int32_t TOrvSerialData::RawFromBytes(const void* bytes) const {
  const auto* p = static_cast<const std::uint8_t*>(bytes);
  std::int32_t raw = 0;
  if (FDataLength == 2) {
    raw = static_cast<std::int32_t>(p[0] | (p[1] << 8));
    if (FSigned) raw = static_cast<std::int16_t>(raw);
  } else {
    raw = p[0];
    if (FSigned) raw = static_cast<std::int8_t>(raw);
  }
  return raw;
}

double TOrvSerialData::GetUserValueFromPacket(const void* bytes) { return ConvertValueToUser(RawFromBytes(bytes)); }

double TOrvSerialData::ToUserRaw(std::int32_t raw) {
  double a = CoeffA, b = CoeffB, c = CoeffC, d = CoeffD;
  if (Transformation == ttFormula || Transformation == ttNonLinearTabled) GetFormulaCoefficients(a, b, c, d);
  raw &= FDataMask;
  if (FSigned) raw = FDataLength == 2 ? static_cast<std::int16_t>(raw) : static_cast<std::int8_t>(raw);
  const double x = raw;
  switch (Transformation) {
    case ttNone:
      return x;
    case ttFormula: {
      const double den = x * c + d;
      if (den == 0.0) return kConvZeroDenominator;
      return (x * a + b) / den;
    }
    case ttTabled: {
      if (!FHasConversionTable) return kConvNoTable;
      int match = -1;
      for (int i = 0; i < FTableCount; ++i) {
        if (FEcuTable[static_cast<std::size_t>(i)] == x) match = i;
      }
      if (match < 0) return kConvNoTable;
      return FUserTable[static_cast<std::size_t>(match)];
    }
    case ttNonLinearTabled: {
      // A segment needs two entries; a shorter table counts as none.
      if (!FHasConversionTable || FTableCount < 2) return kConvNoTable;
      const double den = x * c + d;
      if (den == 0.0) return kConvZeroDenominator;
      const double v = (x * a + b) / den;
      const int k = FindSegment(FEcuTable.data(), FTableCount, v);
      return Interpolate(FEcuTable.data(), FUserTable.data(), k, v);
    }
    case ttCustom:
      return DoConvertValueToUser(raw);
  }
  return x;
}

double TOrvSerialData::ConvertValueToUser(std::int32_t raw) {
  const double u = ToUserRaw(raw);
  if (u == static_cast<double>(kConvNoTable) || u == static_cast<double>(kConvZeroDenominator)) return u;
  return RoundToPrecision(u, FPrecision);
}

int TOrvSerialData::ToEcuUnmerged(double x) {
  double a = CoeffA, b = CoeffB, c = CoeffC, d = CoeffD;
  if (Transformation == ttFormula || Transformation == ttNonLinearTabled) GetFormulaCoefficients(a, b, c, d);
  if (!DisableLimits && (FValueMin != 0.0 || FValueMax != 0.0)) {
    if (x > FValueMax)
      x = FValueMax;
    else if (x < FValueMin)
      x = FValueMin;
  }
  switch (Transformation) {
    case ttNone:
      return TruncateTowardZero(x);
    case ttFormula: {
      const double den = x * c - a;
      if (den == 0.0) return kConvZeroDenominator;
      return RoundHalfAwayFromZero((b - x * d) / den);
    }
    case ttTabled: {
      if (!FHasConversionTable) return kConvNoTable;
      for (int i = 0; i < FTableCount; ++i) {
        if (FUserTable[static_cast<std::size_t>(i)] == x)
          return RoundHalfAwayFromZero(FEcuTable[static_cast<std::size_t>(i)]);
      }
      return kConvNoTable;
    }
    case ttNonLinearTabled: {
      if (!FHasConversionTable || FTableCount < 2) return kConvNoTable;
      const int k = FindSegment(FUserTable.data(), FTableCount, x);
      const double t = Interpolate(FUserTable.data(), FEcuTable.data(), k, x);
      const double den = t * c - a;
      if (den == 0.0) return kConvZeroDenominator;
      return RoundHalfAwayFromZero((b - t * d) / den);
    }
    case ttCustom:
      return DoConvertValueToEcu(x);
  }
  return TruncateTowardZero(x);
}

int TOrvSerialData::ConvertValueToEcu(double userValue, std::int32_t* held) {
  const int r = ToEcuUnmerged(userValue);
  if (IsConversionError(r)) return r;
  if (held == nullptr || FDataMask == FullMask()) return r;
  // Re-read the datum so the other bits are current; listeners must not see
  // the intermediate state.
  const bool notify = NotifyEnabled;
  NotifyEnabled = false;
  const bool loaded = Load();
  NotifyEnabled = notify;
  if (loaded) return (*held & ~FDataMask) | (r & FDataMask);
  return r & FDataMask;
}

void TOrvSerialData::SetConversionTable(const double* ecuValues, const double* userValues, int count) {
  DeleteConversionTable();
  if (count <= 0 || ecuValues == nullptr || userValues == nullptr) return;
  FEcuTable.assign(ecuValues, ecuValues + count);
  FUserTable.assign(userValues, userValues + count);
  FTableCount = count;
  FHasConversionTable = true;
}

void TOrvSerialData::DeleteConversionTable() {
  FEcuTable.clear();
  FUserTable.clear();
  FTableCount = 0;
  FHasConversionTable = false;
}

double TOrvSerialData::GetEcuTableValue(int index) const {
  if (!FHasConversionTable || index < 0 || index >= FTableCount) return 0.0;
  return FEcuTable[static_cast<std::size_t>(index)];
}

double TOrvSerialData::GetUserTableValue(int index) const {
  if (!FHasConversionTable || index < 0 || index >= FTableCount) return 0.0;
  return FUserTable[static_cast<std::size_t>(index)];
}

void TOrvSerialData::SetEcuTableValue(int index, double value) {
  if (!FHasConversionTable || index < 0 || index >= FTableCount) return;
  FEcuTable[static_cast<std::size_t>(index)] = value;
}

void TOrvSerialData::SetUserTableValue(int index, double value) {
  if (!FHasConversionTable || index < 0 || index >= FTableCount) return;
  FUserTable[static_cast<std::size_t>(index)] = value;
}

void TOrvSerialData::SetConnection(TOrvConnectionBase* connection) {
  // A notice on a previous connection stays: it may serve another role.
  FConnection = connection;
  if (FConnection != nullptr) FreeNotification(FConnection);
}

void TOrvSerialData::AddNotificationList(platform::TComponent* component) {
  if (component == nullptr) return;
  FreeNotification(component);
  if (std::find(FNotificationList.begin(), FNotificationList.end(), component) == FNotificationList.end())
    FNotificationList.push_back(component);
}

void TOrvSerialData::RemoveNotificationList(platform::TComponent* component) {
  auto it = std::find(FNotificationList.begin(), FNotificationList.end(), component);
  if (it != FNotificationList.end()) FNotificationList.erase(it);
}

void TOrvSerialData::NotifyData(unsigned msg, std::intptr_t wparam, std::intptr_t lparam) {
  if (!NotifyEnabled) return;
  ++FNotifyDepth;
  // By index: a listener may add or remove listeners while it is told.
  for (std::size_t i = 0; i < FNotificationList.size(); ++i) {
    platform::TComponent* listener = FNotificationList[i];
    if (auto* item = dynamic_cast<TOrvSerialData*>(listener)) {
      // Items that listen to each other in a circle stop after a few rounds.
      if (item->FNotifyDepth < kMaxNotifyDepth) item->NotifyData(msg, wparam, lparam);
    } else if (auto* target = dynamic_cast<platform::IMessageTarget*>(listener)) {
      target->Perform(msg, wparam, lparam);
    }
  }
  --FNotifyDepth;
}

plugins::IOrvLibrary* TOrvSerialData::AccessLibrary() {
  if (FConnection == nullptr || !FConnection->LoadDll()) return nullptr;
  return FConnection->Library();
}

void TOrvSerialData::FireError(int code, bool writing) {
  if (OnError) OnError(this, code, writing);
}

void TOrvSerialData::DoError(bool Writing) {
  if (!OnError) return;
  int code = -1;
  if (FConnection != nullptr && FConnection->IsLoaded()) {
    if (plugins::IOrvLibrary* library = FConnection->Library()) {
      std::lock_guard lock(FConnection->Lock());
      code = library->GetLastStatus();
    }
  }
  FireError(code, Writing);
}

void TOrvSerialData::RefuseErrorValue(int value) {
  FireError(value, true);
  NotifyData(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(this), 0);
}

void TOrvSerialData::DoGetData() {
  if (OnGetData) OnGetData(this);
  NotifyData(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(this), 0);
}

void TOrvSerialData::DoSetData() {
  if (OnSetData) OnSetData(this);
  NotifyData(platform::WM_DATACHANGED, reinterpret_cast<std::intptr_t>(this), 0);
}

void TOrvSerialData::DoBeforeGetData() {
  if (BeforeGetData) BeforeGetData(this);
}

void TOrvSerialData::DoBeforeSetData() {
  if (BeforeSetData) BeforeSetData(this);
}

void TOrvSerialData::DoComError(int status) {
  NotifyData(platform::WM_COMERROR, reinterpret_cast<std::intptr_t>(this), status);
}

int TOrvSerialData::DoConvertValueToEcu(double userValue) {
  int converted = 0;
  if (OnConvertToEcu) OnConvertToEcu(this, userValue, converted);
  return converted;
}

double TOrvSerialData::DoConvertValueToUser(std::int32_t raw) {
  double converted = 0.0;
  if (OnConvertToUser) OnConvertToUser(this, raw, converted);
  return converted;
}

bool TOrvSerialData::Load() {
  DataValid = false;
  return Reload();
}

void TOrvSerialData::Loaded() {
  ResetDefault(false);
  platform::TComponent::Loaded();
}

void TOrvSerialData::Notification(platform::TComponent* component, platform::TOperation operation) {
  platform::TComponent::Notification(component, operation);
  if (operation != platform::TOperation::opRemove || component == nullptr) return;
  if (component == FConnection) FConnection = nullptr;
  for (auto& t : FTransformations) {
    if (t == component) t = nullptr;
  }
  for (auto& e : FExtCoeffs) {
    if (e == component) e = nullptr;
  }
  // A destroyed listener must not be told anything again.
  RemoveNotificationList(component);
}

bool IsOrvSerialData(const platform::TComponent* component) {
  return dynamic_cast<const TOrvSerialData*>(component) != nullptr;
}

}  // namespace orv::items
