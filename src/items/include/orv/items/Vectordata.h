#pragma once
// ECU arrays: the vector (one-dimensional table, or one row or column of an
// ECU map) and the matrix (a two-dimensional map, row-major).
//
// Thread, ownership and values as for every item (Serialdata.h). Dimensions
// are 1 to 255; every dimension change sets the held values and defaults
// back to 0, and a matrix then tells its listeners with 33141 (columns,
// rows). Array arguments are spans of at least the item's element count;
// shorter spans are refused with false.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "orv/items/Serialdata.h"

namespace orv::items {

enum TVectorType : std::uint8_t { vtSingle = 0, vtMatrixRow = 1, vtMatrixCol = 2 };
enum TMatrixType : std::uint8_t { mtSingle = 0, mtVector = 1, mtMatrix = 2 };

// What the vector and the matrix share: the held raw values (row-major for a
// matrix), their default user values, the backup a read takes, and the whole
// write and read of all values. The shapes differ only in how they reach the
// library (WriteAll).
class TOrvArrayData : public TOrvSerialData {
 public:
  // Held raw values.
  const std::vector<std::int32_t>& Values() const { return FValues; }
  bool HasBackup() const { return FHasBackup; }
  bool ByAddress = false;
  int Address = 0;
  bool SingleElementAccess = false;

  void BackupData() override;
  void DiscardBackup() override;
  void RestoreBackup() override;
  bool Download() override;

  // Every element's user value; false when the read failed (the held values
  // are then those from before it).
  bool GetData(std::span<double> values);
  // Writes all raw values to the ECU.
  bool SetDataInEcu(std::span<const std::int32_t> raw);

 protected:
  using TOrvSerialData::TOrvSerialData;
  virtual bool WriteAll(plugins::IOrvLibrary& library, std::span<const std::int32_t> raw) = 0;

  std::vector<std::int32_t> FValues;
  std::vector<double> FDefaultValues;
  std::vector<std::int32_t> FBackupValues;
  bool FHasBackup = false;
};

class TOrvVector : public TOrvArrayData {
 public:
  explicit TOrvVector(platform::TComponent* owner);
  TOrvVector(platform::TComponent* owner, int serialCode, int rowIndex = -1, int colIndex = -1);
  ~TOrvVector() override;
  const char* ClassName() const override { return "TOrvVector"; }

  // Values(): ColCount entries; element i at Address + i * DataLength.

  int ArrayDimension() const { return FColCount; }
  // 1..255 (the value AND 255; 0 and unchanged values are ignored).
  void SetArrayDimension(int count);
  TVectorType GetVectorType() const;
  void SetVectorType(TVectorType type);
  void SetIndexRow(int index);
  void SetIndexCol(int index);
  void SetDefValue(int index, double value);
  double GetDefValue(int index) const;

  void AllocateMemory() override;
  void DeallocateMemory() override;
  bool Reload() override;
  bool WriteToFile(platform::TCustomIniFile& ini) override;
  bool ReadFromFile(platform::TCustomIniFile& ini) override;
  void UpdateData(const void*) override {}
  bool ResetDefault(bool write) override;

  using TOrvArrayData::GetData;
  bool GetData(double& value, int index);
  double GetDouble(int index);
  int GetInt(int index);
  bool SetData(std::span<const double> values);
  bool SetData(double value, int index);
  bool SetEcuData(std::span<const std::int32_t> raw);
  // The configuration-file key of element i.
  std::string FileKey(int index) const;

 private:
  bool ReadAll(plugins::IOrvLibrary& library, int& status);
  bool WriteAll(plugins::IOrvLibrary& library, std::span<const std::int32_t> raw) override;
  bool WriteElement(plugins::IOrvLibrary& library, int index, std::int32_t raw);
};

class TOrvMatrix : public TOrvArrayData {
 public:
  explicit TOrvMatrix(platform::TComponent* owner, int serialCode = 0);
  ~TOrvMatrix() override;
  const char* ClassName() const override { return "TOrvMatrix"; }

  // Values(): RowCount x ColCount, row-major; element (r, c) at
  // Address + (r * ColCount + c) * DataLength.
  std::int32_t Value(int row, int col) const;

  // 1..255 (the value AND 255; 0 and unchanged values are ignored); 33141.
  void SetColumnDimension(int count);
  void SetRowDimension(int count);
  TMatrixType GetMatrixType() const;
  void SetMatrixType(TMatrixType type);
  void SetDefValue(int row, int col, double value);
  double GetDefValue(int row, int col) const;

  void AllocateMemory() override;
  void DeallocateMemory() override;
  bool Reload() override;
  bool WriteToFile(platform::TCustomIniFile& ini) override;
  bool ReadFromFile(platform::TCustomIniFile& ini) override;
  void UpdateData(const void*) override {}
  bool ResetDefault(bool write) override;

  using TOrvArrayData::GetData;
  bool GetData(std::span<double> row, int rowIndex);
  bool GetData(double& value, int row, int col);
  double GetDouble(int row, int col);
  int GetInt(int row, int col);
  bool SetData(std::span<const double> values);
  bool SetData(std::span<const double> row, int rowIndex);
  bool SetData(double value, int row, int col);
  bool SetDouble(int row, int col, double value) { return SetData(value, row, col); }
  bool SetInt(int row, int col, int value) { return SetData(static_cast<double>(value), row, col); }
  bool SetEcuData(std::span<const std::int32_t> raw);
  std::string FileKey(int row, int col) const;

 private:
  bool Inside(int row, int col) const { return row >= 0 && row < FRowCount && col >= 0 && col < FColCount; }
  int Index(int row, int col) const { return row * FColCount + col; }
  int Count() const { return FRowCount * FColCount; }
  bool ReadAll(plugins::IOrvLibrary& library, int& status);
  bool WriteAll(plugins::IOrvLibrary& library, std::span<const std::int32_t> raw) override;
  bool WriteElement(plugins::IOrvLibrary& library, int row, int col, std::int32_t raw);
  bool WriteOneRow(plugins::IOrvLibrary& library, int row, std::span<const std::int32_t> raw);
  void DimensionsChanged();
};

}  // namespace orv::items
