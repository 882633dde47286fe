#pragma once
// ECU data items: the abstract serial datum, the number item and the packet
// item.
//
// Thread: every operation runs on the user-interface thread. Each exchange
// with the communication library holds the connection's lock only around the
// library calls and the status query; events and messages are fired after
// the lock has been released, so handlers may use other items.
//
// Ownership: items are components freed by their owner. The connection,
// the refresher, the transformations and the external-coefficient items are
// non-owning references cleared by destruction notices. Listeners in the
// notification list are non-owning as well; a destroyed listener leaves the
// list.
//
// Values: a raw value is the 32-bit integer the ECU stores (one byte or one
// 16-bit word, of which DataMask selects the item's bits); a user value is a
// double in engineering units. Items hold raw values and convert on demand.
// No exception leaves an item operation.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "orv/items/Linkbase.h"
#include "orv/platform/Component.h"
#include "orv/platform/IniStore.h"

namespace orv::items {

using TNotifyEvent = std::function<void(platform::TComponent* Sender)>;
using TErrorEvent = std::function<void(platform::TComponent* Sender, int ErrorCode, bool Writing)>;
using TConvertToEcuEvent = std::function<void(platform::TComponent* Sender, double UserValue, int& ConvertedValue)>;
using TConvertToUserEvent = std::function<void(platform::TComponent* Sender, int EcuValue, double& ConvertedValue)>;

enum TransformationType : std::uint8_t { ttNone = 0, ttFormula = 1, ttTabled = 2, ttNonLinearTabled = 3, ttCustom = 4 };
enum SerialDataType : std::uint8_t { sdtNumber = 0, sdtVector = 1, sdtMatrix = 2, sdtPacket = 3 };
enum TNumberType : std::uint8_t { ntSingle = 0, ntVectorElement = 1, ntMatrixElement = 2 };

// Conversion results that are not values: no table or no table entry, and a
// zero formula denominator. They are returned instead of a value (as doubles
// towards the user, as ints towards the ECU) and are never written to the ECU.
inline constexpr int kConvNoTable = -10000001;
inline constexpr int kConvZeroDenominator = -10000002;
inline constexpr bool IsConversionError(int raw) { return raw == kConvNoTable || raw == kConvZeroDenominator; }

// Code word bits beside the serial code (bits 0-7) and the column count
// (bits 12-19).
inline constexpr std::uint32_t kDescArray = 256;
inline constexpr std::uint32_t kDescTwoBytes = 512;
inline constexpr std::uint32_t kDescSigned = 1024;
inline constexpr std::uint32_t kDescPacket = 2048;

// Library status bit: the ECU does not define the datum; the held value
// counts as current anyway.
inline constexpr int kStatusUndefined = 4;

class TBaseTransformation;

class TOrvSerialData : public platform::TComponent {
 public:
  TOrvSerialData(platform::TComponent* owner, int serialCode, SerialDataType dataType);
  ~TOrvSerialData() override;
  const char* ClassName() const override { return "TOrvSerialData"; }

  // --- where the datum lives ---
  bool MemoryAllocated() const { return FMemoryAllocated; }
  int ColCount() const { return FColCount; }
  int RowCount() const { return FRowCount; }
  int ColIndex() const { return FColIndex; }
  int RowIndex() const { return FRowIndex; }
  int DataMask() const { return FDataMask; }
  // Ignored unless the mask, cut to the data width, is 0 or one contiguous
  // run of bits and differs; otherwise the storage is reset and DataValid
  // cleared.
  void SetDataMask(int mask);
  int DataLength() const { return FDataLength; }
  // 1 or 2; resets the storage, the mask to the full width and DataValid.
  void SetDataLength(int length);
  SerialDataType DataType() const { return FDataType; }
  int SerialCode() const { return FSerialCode; }
  // Negative codes are ignored; the code is kept AND 255.
  virtual void SetSerialCode(int code);
  bool Signed() const { return FSigned; }
  void SetDataSigned(bool flag);
  std::uint32_t DataDescriptor() const { return FDataDescriptor; }
  // The full mask of the data width: 255 or 65535.
  int FullMask() const { return FDataLength == 2 ? 0xFFFF : 0xFF; }

  // --- conversion ---
  TransformationType Transformation = ttNone;
  std::string MeasureUnit;
  double CoeffA = 1.0;
  double CoeffB = 0.0;
  double CoeffC = 0.0;
  double CoeffD = 1.0;
  double Precision() const { return FPrecision; }
  void SetPrecision(double p);  // negative ignored
  double ValueMin() const { return FValueMin; }
  double ValueMax() const { return FValueMax; }
  // Outside loading, a minimum above the maximum (a maximum below the
  // minimum) is ignored.
  void SetMinValue(double v);
  void SetMaxValue(double v);
  bool DisableLimits = false;

  // Raw to user value. Returns kConvNoTable / kConvZeroDenominator (as
  // doubles) instead of a value; other values are rounded to Precision.
  // Allocates nothing.
  double ConvertValueToUser(std::int32_t raw);
  // User to raw value with limits. With held (the item's held raw value) and
  // a partial mask, the item re-reads the datum (listeners not told) and the
  // result is its other bits merged with the item's bits; when the re-read
  // fails only the item's bits. Error values are returned unmerged.
  int ConvertValueToEcu(double userValue, std::int32_t* held = nullptr);
  // One datum at bytes (little-endian word when DataLength is 2, sign
  // extended when Signed), converted to a user value.
  double GetUserValueFromPacket(const void* bytes);
  // The raw datum at bytes, as GetUserValueFromPacket reads it.
  std::int32_t RawFromBytes(const void* bytes) const;

  // --- conversion table ---
  bool HasConversionTable() const { return FHasConversionTable; }
  int TableCount() const { return FTableCount; }
  // Replaces the table with copies; a count of 0 or less leaves no table.
  void SetConversionTable(const double* ecuValues, const double* userValues, int count);
  void DeleteConversionTable();
  double GetEcuTableValue(int index) const;
  double GetUserTableValue(int index) const;
  void SetEcuTableValue(int index, double value);
  void SetUserTableValue(int index, double value);

  // --- external coefficients and transformations (index 1..4 = A..D) ---
  void GetFormulaCoefficients(double& a, double& b, double& c, double& d);
  void SetTransformation(int index, TBaseTransformation* transformation);
  TBaseTransformation* GetTransformation(int index) const;
  // Ignored unless item is none or a TOrvNumber other than this one.
  void SetExtCoeff(int index, TOrvSerialData* item);
  TOrvSerialData* GetExtCoeff(int index) const;

  // --- the link ---
  TOrvConnectionBase* Connection() const { return FConnection; }
  void SetConnection(TOrvConnectionBase* connection);

  // --- state and options ---
  bool DataValid = false;
  bool ReadOnly = false;
  bool StoreUserValue = true;
  std::string FileSection;
  std::string FileKeyName;
  int DataGroup = 0;
  bool NotifyEnabled = true;
  bool OldReadFileMode = false;

  // --- events ---
  TNotifyEvent OnSetData;
  TNotifyEvent OnGetData;
  TNotifyEvent BeforeSetData;
  TNotifyEvent BeforeGetData;
  // ErrorCode: the library's status of the last access, -1 when the library
  // cannot be used, or the conversion error value (kConvNoTable,
  // kConvZeroDenominator) of a write that was refused because of it.
  TErrorEvent OnError;
  TConvertToEcuEvent OnConvertToEcu;
  TConvertToUserEvent OnConvertToUser;

  // --- listeners ---
  const std::vector<platform::TComponent*>& NotificationList() const { return FNotificationList; }
  void AddNotificationList(platform::TComponent* component);
  void RemoveNotificationList(platform::TComponent* component);
  // Delivers msg to every listener in order: message targets receive it,
  // listening items pass it on to their own listeners, others are skipped.
  // Nothing while NotifyEnabled is false.
  void NotifyData(unsigned msg, std::intptr_t wparam, std::intptr_t lparam);

  // --- operations of every item ---
  virtual void AllocateMemory() = 0;
  virtual void DeallocateMemory() = 0;
  // Reads the datum from the ECU unless DataValid.
  virtual bool Reload() = 0;
  virtual void DoError(bool Writing);
  virtual void DoGetData();
  virtual void DoSetData();
  virtual void DoBeforeGetData();
  virtual void DoBeforeSetData();
  virtual void DoComError(int status);
  virtual int DoConvertValueToEcu(double userValue);
  virtual double DoConvertValueToUser(std::int32_t raw);
  virtual void BackupData() = 0;
  virtual void DiscardBackup() = 0;
  virtual void RestoreBackup() = 0;
  // Clears DataValid and reloads.
  bool Load();
  virtual bool Download() = 0;
  virtual bool WriteToFile(platform::TCustomIniFile& ini) = 0;
  virtual bool ReadFromFile(platform::TCustomIniFile& ini) = 0;
  // bytes: the datum as received (see the concrete items).
  virtual void UpdateData(const void* bytes) = 0;
  // Raw values from the default user values, written to the ECU when write.
  virtual bool ResetDefault(bool write) = 0;

  // After the stored description: defaults without writing.
  void Loaded() override;

 protected:
  void Notification(platform::TComponent* component, platform::TOperation operation) override;

  // The library ready for an exchange, or nullptr when there is no
  // connection or the library cannot be loaded.
  plugins::IOrvLibrary* AccessLibrary();
  // Fires OnError with an explicit code.
  void FireError(int code, bool writing);
  // A write whose value is a conversion error: OnError with the error value
  // as code (writing), then 33139 so listeners show the held value again.
  void RefuseErrorValue(int value);

  bool FMemoryAllocated = false;
  int FColCount = 1;
  int FRowCount = 1;
  int FColIndex = -1;
  int FRowIndex = -1;
  std::uint32_t FDataDescriptor = 0;

 private:
  double ToUserRaw(std::int32_t raw);
  int ToEcuUnmerged(double x);

  int FDataMask = 255;
  int FDataLength = 1;
  SerialDataType FDataType;
  int FSerialCode = 0;
  bool FSigned = false;
  double FPrecision = 0.0;
  double FValueMin = 0.0;
  double FValueMax = 0.0;
  TOrvConnectionBase* FConnection = nullptr;
  bool FHasConversionTable = false;
  std::vector<double> FEcuTable;
  std::vector<double> FUserTable;
  int FTableCount = 0;
  std::vector<platform::TComponent*> FNotificationList;
  TBaseTransformation* FTransformations[4] = {};
  TOrvSerialData* FExtCoeffs[4] = {};
  int FNotifyDepth = 0;          // nested NotifyData runs of this item
  bool FInCoefficients = false;  // GetFormulaCoefficients is running
};

// True when component is not none and is a data item.
bool IsOrvSerialData(const platform::TComponent* component);

// One scalar ECU parameter: a byte or word by address or serial code, a bit
// field of one, or an element of an ECU array or map.
class TOrvNumber : public TOrvSerialData {
 public:
  explicit TOrvNumber(platform::TComponent* owner);
  TOrvNumber(platform::TComponent* owner, int serialCode, int rowIndex = -1, int colIndex = -1);
  const char* ClassName() const override { return "TOrvNumber"; }

  std::int32_t EcuValue = 0;  // the whole datum, all bits
  std::int32_t BackupValue = 0;
  bool ByAddress = false;
  int Address = 0;
  double DefaultValue = 0.0;

  TNumberType GetNumberType() const;
  void SetNumberType(TNumberType type);
  void SetIndexRow(int index);
  void SetIndexCol(int index);

  void AllocateMemory() override;
  void DeallocateMemory() override {}
  void BackupData() override { BackupValue = EcuValue; }
  void DiscardBackup() override {}
  void RestoreBackup() override { EcuValue = BackupValue; }
  bool Reload() override;
  bool Download() override { return SetDataInEcu(EcuValue); }
  bool WriteToFile(platform::TCustomIniFile& ini) override;
  bool ReadFromFile(platform::TCustomIniFile& ini) override;
  // bytes: the datum itself (one byte, or a little-endian word).
  void UpdateData(const void* bytes) override;
  bool ResetDefault(bool write) override;

  // The user value; false when it could not be read (the held value is
  // delivered then).
  bool GetData(double& value);
  double GetDouble();
  int GetInt();  // GetDouble + 0.5, truncated toward zero
  bool SetData(double value);
  bool SetDouble(double value) { return SetData(value); }
  bool SetInt(int value) { return SetData(static_cast<double>(value)); }
  // Writes a raw value, merging the item's bits into the re-read datum.
  bool SetEcuData(std::int32_t raw);
  // Writes a complete raw datum.
  bool SetDataInEcu(std::int32_t raw);
  // Takes a value handed in (valid, no event, no message).
  void InitData(const std::int32_t* value);
  // The configuration-file key of this number ("" when it has no key).
  std::string FileKey() const;

 private:
  bool LibraryRead(plugins::IOrvLibrary& library);
  bool LibraryWrite(plugins::IOrvLibrary& library, std::int32_t raw);
};

// One live value taken from the ECU's periodic data packet.
class TOrvPacketData : public TOrvSerialData {
 public:
  explicit TOrvPacketData(platform::TComponent* owner, int serialCode = 0);
  ~TOrvPacketData() override;
  const char* ClassName() const override { return "TOrvPacketData"; }

  std::int32_t EcuValue = 0;

  bool Active() const { return FActive; }
  void SetActive(bool active);
  int Offset = 0;
  bool Registered() const { return FRegistered; }
  int TimeInterval() const { return FTimeInterval; }
  // Intervals below 20 ms are ignored.
  void SetTimeInterval(int interval);
  TDataRefresherBase* DataRefresher() const { return FDataRefresher; }
  void SetDataRefresher(TDataRefresherBase* refresher);
  void SetSerialCode(int code) override;

  void AllocateMemory() override { EcuValue = 0; }
  void DeallocateMemory() override {}
  void BackupData() override {}
  void DiscardBackup() override {}
  void RestoreBackup() override {}
  bool Reload() override { return false; }
  bool Download() override { return false; }
  bool WriteToFile(platform::TCustomIniFile&) override { return false; }
  bool ReadFromFile(platform::TCustomIniFile&) override { return false; }
  // bytes: the refresher's packet buffer, a 32-bit length then the packet;
  // the datum lies at byte 4 + Offset.
  void UpdateData(const void* bytes) override;
  bool ResetDefault(bool) override { return false; }

  double GetDouble();  // no ECU access
  int GetInt();
  // Raw value from a user value (with the held value), then 33139.
  void InitData(double userValue);

 protected:
  void Notification(platform::TComponent* component, platform::TOperation operation) override;

 private:
  bool FActive = false;
  bool FRegistered = false;
  int FTimeInterval = 1000;
  TDataRefresherBase* FDataRefresher = nullptr;
};

// Pure helpers of the conversions, exposed for their tests.
// Rounds half away from zero; saturates to the int32 range.
int RoundHalfAwayFromZero(double value);
// Truncates toward zero; saturates to the int32 range.
int TruncateTowardZero(double value);
// GetInt's rule: value + 0.5, truncated toward zero.
int RoundGetInt(double value);
// Rounds to a multiple of precision (ties to the higher multiple); 0 = none.
double RoundToPrecision(double value, double precision);

}  // namespace orv::items
