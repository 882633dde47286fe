// Vector and matrix items: library operations by shape, address arithmetic,
// dimensions, failures, file keys and refused error values.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Itemfakes.h"
#include "orv/items/Vectordata.h"
#include "orv/platform/Messages.h"

namespace orv::items {
namespace {

using platform::WM_CHANGEDATADIM;
using platform::WM_COMERROR;
using platform::WM_DATACHANGED;
using testing::TFakeConnection;
using testing::TMemIni;
using testing::TRecordingListener;

std::string Cw(std::uint32_t v) { return std::to_string(v); }

TEST(VectorTest, ByAddressWithTwoBytesUsesConsecutiveWords) {
  TFakeConnection conn;
  TOrvVector v(nullptr);
  v.SetConnection(&conn);
  v.SetArrayDimension(16);
  v.SetDataLength(2);
  v.ByAddress = true;
  v.Address = 100;
  conn.Fake.Memory[130] = 0x34;
  conn.Fake.Memory[131] = 0x12;
  EXPECT_TRUE(v.Load());
  ASSERT_EQ(conn.Fake.Calls.size(), 16u);
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(conn.Fake.Calls[static_cast<std::size_t>(i)], "ReadByAddress " + std::to_string(100 + 2 * i));
  EXPECT_EQ(v.Values()[15], 0x1234);
  conn.Fake.Calls.clear();
  std::vector<std::int32_t> raw(16, 7);
  EXPECT_TRUE(v.SetDataInEcu(raw));
  ASSERT_EQ(conn.Fake.Calls.size(), 16u);
  EXPECT_EQ(conn.Fake.Calls.back(), "WriteByAddress 130 7");
  conn.Fake.Calls.clear();
  EXPECT_TRUE(v.SetData(9, 3));
  EXPECT_EQ(conn.Fake.Calls, (std::vector<std::string>{"WriteByAddress 106 9"}));
}

TEST(VectorTest, LibraryOperationsByType) {
  struct Case {
    TVectorType Type;
    bool Single;
    std::vector<std::string> Read, WriteAll, WriteOne;
  };
  // Code word: serial code 9, array bit, 3 columns.
  const std::uint32_t cw = 9 + 256 + (3u << 12);
  const Case cases[] = {
      {vtSingle, false, {"ReadData " + Cw(cw)}, {"WriteArray " + Cw(cw) + " 5"}, {"WriteDataIndex " + Cw(cw) + " 1 8"}},
      {vtSingle,
       true,
       {"ReadData " + Cw(cw)},
       {"WriteDataIndex " + Cw(cw) + " 0 5", "WriteDataIndex " + Cw(cw) + " 1 6", "WriteDataIndex " + Cw(cw) + " 2 7"},
       {"WriteDataIndex " + Cw(cw) + " 1 8"}},
      {vtMatrixRow,
       false,
       {"ReadDataIndex " + Cw(cw - 256) + " 3"},
       {"WriteRow " + Cw(cw) + " 3 5"},
       {"WriteDataRowCol " + Cw(cw) + " 3 1 8"}},
      {vtMatrixRow,
       true,
       {"ReadDataIndex " + Cw(cw - 256) + " 3"},
       {"WriteDataRowCol " + Cw(cw) + " 3 0 5", "WriteDataRowCol " + Cw(cw) + " 3 1 6",
        "WriteDataRowCol " + Cw(cw) + " 3 2 7"},
       {"WriteDataRowCol " + Cw(cw) + " 3 1 8"}},
      {vtMatrixCol,
       false,
       {"ReadDataRowCol " + Cw(cw) + " 0 2", "ReadDataRowCol " + Cw(cw) + " 1 2", "ReadDataRowCol " + Cw(cw) + " 2 2"},
       {"WriteDataRowCol " + Cw(cw) + " 0 2 5", "WriteDataRowCol " + Cw(cw) + " 1 2 6",
        "WriteDataRowCol " + Cw(cw) + " 2 2 7"},
       {"WriteDataRowCol " + Cw(cw) + " 1 2 8"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Type) * 2 + (c.Single ? 1 : 0));
    TFakeConnection conn;
    TOrvVector v(nullptr, 9);
    v.SetConnection(&conn);
    v.SetArrayDimension(3);
    v.SetVectorType(c.Type);
    v.SetIndexRow(3);
    v.SetIndexCol(2);
    v.SingleElementAccess = c.Single;
    v.Load();
    EXPECT_EQ(conn.Fake.Calls, c.Read);
    conn.Fake.Calls.clear();
    const std::int32_t raw[] = {5, 6, 7};
    EXPECT_TRUE(v.SetDataInEcu(raw));
    EXPECT_EQ(conn.Fake.Calls, c.WriteAll);
    conn.Fake.Calls.clear();
    EXPECT_TRUE(v.SetData(8, 1));
    EXPECT_EQ(conn.Fake.Calls, c.WriteOne);
  }
}

TEST(VectorTest, TypesAndIndices) {
  TOrvVector v(nullptr);
  v.SetIndexRow(4);
  EXPECT_EQ(v.GetVectorType(), vtSingle);
  EXPECT_EQ(v.RowIndex(), -1);
  v.SetVectorType(vtMatrixRow);
  EXPECT_EQ(v.RowIndex(), 0);
  v.SetIndexRow(4);
  EXPECT_EQ(v.RowIndex(), 4);
  v.SetVectorType(vtMatrixCol);
  EXPECT_EQ(v.GetVectorType(), vtMatrixCol);
  EXPECT_EQ(v.RowIndex(), -1);
  EXPECT_EQ(v.ColIndex(), 0);
  TOrvVector w(nullptr, 1, 2, -1);
  EXPECT_EQ(w.GetVectorType(), vtMatrixRow);
  v.SetVectorType(vtSingle);
  EXPECT_EQ(v.ColIndex(), -1);
}

TEST(VectorTest, DimensionSetter) {
  TOrvVector v(nullptr);
  EXPECT_EQ(v.DataDescriptor(), 256u);
  v.SetDefValue(0, 3);
  v.SetArrayDimension(300);
  EXPECT_EQ(v.ArrayDimension(), 44);
  EXPECT_EQ(v.DataDescriptor(), 256u + (44u << 12));
  EXPECT_EQ(v.Values().size(), 44u);
  EXPECT_EQ(v.GetDefValue(0), 0);
  v.SetArrayDimension(0);
  v.SetArrayDimension(256);  // would be 0 columns
  EXPECT_EQ(v.ArrayDimension(), 44);
  EXPECT_EQ(v.GetDefValue(44), 0);
  EXPECT_EQ(v.GetDefValue(-1), 0);
}

TEST(VectorTest, ReadFailuresAndCaching) {
  TOrvVector lone(nullptr);
  bool errored = false;
  lone.OnError = [&](platform::TComponent*, int, bool) { errored = true; };
  EXPECT_FALSE(lone.Load());
  EXPECT_FALSE(errored);

  TFakeConnection conn;
  TOrvVector v(nullptr, 4);
  v.SetArrayDimension(2);
  v.SetConnection(&conn);
  int code = 0;
  v.OnError = [&](platform::TComponent*, int c, bool w) {
    code = c;
    EXPECT_FALSE(w);
  };
  conn.CanLoad = false;
  EXPECT_FALSE(v.Load());
  EXPECT_EQ(code, -1);
  conn.CanLoad = true;
  conn.Fake.Arrays[4] = {11, 12};
  std::vector<double> out(2);
  EXPECT_TRUE(v.GetData(out));
  EXPECT_TRUE(v.GetData(out));
  EXPECT_EQ(conn.Fake.Reads(), 1);
  EXPECT_EQ(out, (std::vector<double>{11, 12}));
  EXPECT_FALSE(v.HasBackup());

  conn.Fake.Arrays[4] = {21, 22};
  conn.Fake.FailReads = true;
  v.Load();
  double one = 0;
  EXPECT_FALSE(v.GetData(one, 1));
  EXPECT_EQ(one, 12);
  EXPECT_FALSE(v.GetData(one, 2));
  EXPECT_EQ(one, 0);
  EXPECT_FALSE(v.GetData(out));
  EXPECT_EQ(out, (std::vector<double>{11, 12}));
  EXPECT_FALSE(v.HasBackup());
}

TEST(VectorTest, WritesWithoutLibraryReadOnlyAndBadIndex) {
  TOrvVector v(nullptr);
  v.SetArrayDimension(2);
  int errors = 0;
  v.OnError = [&](platform::TComponent*, int c, bool) {
    EXPECT_EQ(c, -1);
    ++errors;
  };
  const double values[] = {3, 4};
  EXPECT_TRUE(v.SetData(values));
  EXPECT_EQ(v.Values(), (std::vector<std::int32_t>{3, 4}));
  EXPECT_TRUE(v.SetData(5, 1));
  EXPECT_EQ(v.Values()[1], 5);
  EXPECT_EQ(errors, 2);
  EXPECT_FALSE(v.SetData(5, 2));
  v.ReadOnly = true;
  EXPECT_FALSE(v.SetData(values));
  EXPECT_FALSE(v.SetData(1, 0));
  const std::int32_t raw[] = {1, 1};
  EXPECT_FALSE(v.SetEcuData(raw));
  EXPECT_EQ(v.Values(), (std::vector<std::int32_t>{3, 5}));
}

TEST(VectorTest, ShortSpansAreRefused) {
  TOrvVector v(nullptr);
  v.SetArrayDimension(3);
  std::vector<double> two(2);
  EXPECT_FALSE(v.GetData(two));
  EXPECT_FALSE(v.SetData(std::span<const double>(two)));
  const std::int32_t raw[] = {1, 2};
  EXPECT_FALSE(v.SetDataInEcu(raw));
}

TEST(VectorTest, ErrorValuesAreNeverWritten) {
  TFakeConnection conn;
  TOrvVector v(nullptr);
  v.SetConnection(&conn);
  v.SetArrayDimension(2);
  v.Transformation = ttTabled;
  int code = 0;
  v.OnError = [&](platform::TComponent*, int c, bool) { code = c; };
  const double values[] = {1, 2};
  EXPECT_FALSE(v.SetData(values));
  EXPECT_EQ(code, kConvNoTable);
  EXPECT_FALSE(v.SetData(1, 0));
  v.SetDefValue(0, 3);
  EXPECT_FALSE(v.ResetDefault(true));
  EXPECT_EQ(conn.Fake.Writes(), 0);
  EXPECT_EQ(v.Values(), (std::vector<std::int32_t>{0, 0}));
}

TEST(VectorTest, ResetDefaultAndDownload) {
  TFakeConnection conn;
  TOrvVector v(nullptr);
  v.SetConnection(&conn);
  v.SetArrayDimension(2);
  v.SetDefValue(0, 3);
  v.SetDefValue(1, 4);
  TRecordingListener l;
  v.AddNotificationList(&l);
  EXPECT_TRUE(v.ResetDefault(false));
  EXPECT_EQ(v.Values(), (std::vector<std::int32_t>{3, 4}));
  EXPECT_EQ(conn.Fake.Writes(), 0);
  EXPECT_EQ(l.Count(WM_DATACHANGED), 1);
  EXPECT_TRUE(v.Download());
  EXPECT_EQ(conn.Fake.Calls.back(), "WriteArray " + Cw(256 + (2u << 12)) + " 3");
}

TEST(VectorTest, FileKeysAndReadingSomeKeys) {
  TFakeConnection conn;
  TOrvVector v(nullptr);
  v.SetConnection(&conn);
  v.SetArrayDimension(3);
  v.FileSection = "S";
  v.FileKeyName = "V";
  EXPECT_EQ(v.FileKey(2), "V2");
  v.SetVectorType(vtMatrixRow);
  v.SetIndexRow(4);
  EXPECT_EQ(v.FileKey(2), "V4_2");
  v.SetVectorType(vtMatrixCol);
  v.SetIndexCol(6);
  EXPECT_EQ(v.FileKey(2), "V2_6");
  v.SetVectorType(vtSingle);

  TMemIni ini;
  const std::int32_t raw[] = {1, 2, 3};
  v.SetDataInEcu(raw);
  EXPECT_TRUE(v.WriteToFile(ini));
  EXPECT_EQ(ini.ReadString("S", "V1", ""), "2");
  ini.Sections.clear();
  ini.WriteString("S", "V1", "20");
  ini.WriteString("S", "V2", "x");
  conn.Fake.Calls.clear();
  EXPECT_TRUE(v.ReadFromFile(ini));
  EXPECT_EQ(v.Values(), (std::vector<std::int32_t>{1, 20, 3}));
  EXPECT_EQ(conn.Fake.Writes(), 1);
  v.OldReadFileMode = true;
  ini.WriteString("S", "V0", "9");
  EXPECT_TRUE(v.ReadFromFile(ini));
  EXPECT_EQ(v.Values()[0], 9);
  EXPECT_EQ(conn.Fake.Writes(), 1);
}

TEST(MatrixTest, ByAddressElementAddress) {
  TFakeConnection conn;
  TOrvMatrix m(nullptr);
  m.SetConnection(&conn);
  m.SetColumnDimension(5);
  m.SetRowDimension(4);
  m.ByAddress = true;
  m.Address = 200;
  conn.Fake.Memory[213] = 99;
  EXPECT_TRUE(m.Load());
  ASSERT_EQ(conn.Fake.Calls.size(), 20u);
  EXPECT_EQ(conn.Fake.Calls[13], "ReadByAddress 213");
  EXPECT_EQ(m.Value(2, 3), 99);
  EXPECT_EQ(m.GetInt(2, 3), 99);
  conn.Fake.Calls.clear();
  EXPECT_TRUE(m.SetData(7, 2, 3));
  EXPECT_EQ(conn.Fake.Calls, (std::vector<std::string>{"WriteByAddress 213 7"}));
}

TEST(MatrixTest, LibraryOperationsByShape) {
  struct Case {
    int Rows, Cols;
    bool Single;
    std::vector<std::string> Read, WriteAll, WriteOne, WriteRow;
  };
  const auto cw = [](int cols) { return Cw(7 + 256 + (static_cast<std::uint32_t>(cols) << 12)); };
  const auto plain = [](int cols) { return Cw(7 + (static_cast<std::uint32_t>(cols) << 12)); };
  const Case cases[] = {
      {2,
       2,
       false,
       {"ReadDataIndex " + cw(2) + " 0", "ReadDataIndex " + cw(2) + " 1"},
       {"WriteRow " + cw(2) + " 0 1", "WriteRow " + cw(2) + " 1 3"},
       {"WriteDataRowCol " + cw(2) + " 1 0 8"},
       {"WriteRow " + cw(2) + " 1 8"}},
      {2,
       2,
       true,
       {"ReadDataIndex " + cw(2) + " 0", "ReadDataIndex " + cw(2) + " 1"},
       {"WriteDataRowCol " + cw(2) + " 0 0 1", "WriteDataRowCol " + cw(2) + " 0 1 2",
        "WriteDataRowCol " + cw(2) + " 1 0 3", "WriteDataRowCol " + cw(2) + " 1 1 4"},
       {"WriteDataRowCol " + cw(2) + " 1 0 8"},
       {"WriteRow " + cw(2) + " 1 8"}},
      {1, 1, false, {"ReadData 7"}, {"WriteData 263 1"}, {"WriteData 263 8"}, {"WriteData 263 8"}},
      {1,
       3,
       false,
       {"ReadData " + cw(3)},
       {"WriteArray " + cw(3) + " 1"},
       {"WriteDataIndex " + cw(3) + " 0 8"},
       {"WriteArray " + cw(3) + " 8"}},
      {1,
       3,
       true,
       {"ReadData " + cw(3)},
       {"WriteDataIndex " + cw(3) + " 0 1", "WriteDataIndex " + cw(3) + " 1 2", "WriteDataIndex " + cw(3) + " 2 3"},
       {"WriteDataIndex " + cw(3) + " 0 8"},
       {"WriteArray " + cw(3) + " 8"}},
      {2,
       1,
       false,
       {"ReadDataIndex " + plain(0) + " 0", "ReadDataIndex " + plain(0) + " 1"},
       {"WriteDataIndex " + cw(0) + " 0 1", "WriteDataIndex " + cw(0) + " 1 2"},
       {"WriteDataIndex " + cw(0) + " 1 8"},
       {"WriteDataIndex " + cw(0) + " 1 8"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Rows) + "x" + std::to_string(c.Cols) + (c.Single ? " single" : ""));
    TFakeConnection conn;
    TOrvMatrix m(nullptr, 7);
    m.SetConnection(&conn);
    m.SetColumnDimension(c.Cols);
    m.SetRowDimension(c.Rows);
    m.SingleElementAccess = c.Single;
    m.Load();
    EXPECT_EQ(conn.Fake.Calls, c.Read);
    conn.Fake.Calls.clear();
    std::vector<std::int32_t> raw;
    for (int i = 0; i < c.Rows * c.Cols; ++i) raw.push_back(i + 1);
    EXPECT_TRUE(m.SetDataInEcu(raw));
    EXPECT_EQ(conn.Fake.Calls, c.WriteAll);
    conn.Fake.Calls.clear();
    const int row = c.Rows - 1;
    EXPECT_TRUE(m.SetData(8, row, 0));
    EXPECT_EQ(conn.Fake.Calls, c.WriteOne);
    conn.Fake.Calls.clear();
    std::vector<double> rowValues(static_cast<std::size_t>(c.Cols), 8);
    EXPECT_TRUE(m.SetData(rowValues, row));
    EXPECT_EQ(conn.Fake.Calls, c.WriteRow);
  }
}

TEST(MatrixTest, TypeChangesAndDimensionMessages) {
  TOrvMatrix m(nullptr);
  TRecordingListener l;
  m.AddNotificationList(&l);
  EXPECT_EQ(m.GetMatrixType(), mtSingle);
  m.SetMatrixType(mtMatrix);
  EXPECT_EQ(m.RowCount(), 4);
  EXPECT_EQ(m.ColCount(), 5);
  ASSERT_EQ(l.Messages.size(), 1u);
  EXPECT_EQ(l.Messages[0].Msg, WM_CHANGEDATADIM);
  EXPECT_EQ(l.Messages[0].W, 5);
  EXPECT_EQ(l.Messages[0].L, 4);
  EXPECT_EQ(m.Values().size(), 20u);
  m.SetMatrixType(mtVector);
  EXPECT_EQ(m.RowCount(), 1);
  EXPECT_EQ(m.ColCount(), 5);

  TOrvMatrix col(nullptr);
  col.SetRowDimension(3);
  col.SetMatrixType(mtVector);
  EXPECT_EQ(col.RowCount(), 3);
  EXPECT_EQ(col.ColCount(), 1);
  col.SetMatrixType(mtSingle);
  EXPECT_EQ(col.Values().size(), 1u);

  TOrvMatrix d(nullptr);
  TRecordingListener dl;
  d.AddNotificationList(&dl);
  d.SetColumnDimension(300);
  EXPECT_EQ(d.ColCount(), 44);
  EXPECT_EQ(d.DataDescriptor(), 256u + (44u << 12));
  d.SetColumnDimension(0);
  d.SetColumnDimension(44);
  d.SetRowDimension(2);
  EXPECT_EQ(dl.Count(WM_CHANGEDATADIM), 2);
  EXPECT_EQ(dl.Messages.back().W, 44);
  EXPECT_EQ(dl.Messages.back().L, 2);
}

TEST(MatrixTest, RowReadStopsAtTheFirstNonZeroStatus) {
  TFakeConnection conn;
  TOrvMatrix m(nullptr, 3);
  m.SetConnection(&conn);
  m.SetColumnDimension(2);
  m.SetRowDimension(3);
  TRecordingListener l;
  m.AddNotificationList(&l);
  conn.Fake.RowLength = 2;
  conn.Fake.Arrays[3] = {1, 2, 3, 4, 5, 6};
  conn.Fake.LinkOpen = false;
  const std::int32_t old[] = {9, 9, 9, 9, 9, 9};
  m.SetDataInEcu(old);
  conn.Fake.LinkOpen = true;
  conn.Fake.RowStatus[1] = 2;
  conn.Fake.Calls.clear();
  m.Load();
  EXPECT_EQ(conn.Fake.Reads(), 2);
  EXPECT_EQ(m.Value(0, 1), 2);
  EXPECT_EQ(m.Value(2, 0), 9);
  ASSERT_GE(l.Messages.size(), 1u);
  EXPECT_EQ(l.Messages.back().Msg, WM_COMERROR);
  EXPECT_EQ(l.Messages.back().L, 2);
}

TEST(MatrixTest, FailuresAndOutsideIndices) {
  TOrvMatrix m(nullptr);
  m.SetColumnDimension(2);
  m.SetRowDimension(2);
  bool errored = false;
  m.OnError = [&](platform::TComponent*, int, bool) { errored = true; };
  EXPECT_TRUE(m.SetData(4, 1, 1));  // no connection: stored, no event
  EXPECT_EQ(m.Value(1, 1), 4);
  EXPECT_FALSE(errored);
  EXPECT_FALSE(m.SetData(4, 2, 0));
  EXPECT_EQ(m.GetDouble(5, 5), 0);
  EXPECT_EQ(m.GetInt(-1, 0), 0);
  double v = 3;
  EXPECT_FALSE(m.GetData(v, 0, 2));
  std::vector<double> row(2);
  EXPECT_FALSE(m.GetData(row, 2));

  TFakeConnection conn;
  conn.CanLoad = false;
  m.SetConnection(&conn);
  EXPECT_FALSE(m.SetData(6, 0, 0));
  EXPECT_TRUE(errored);
  EXPECT_EQ(m.Value(0, 0), 0);
  const double rowValues[] = {1, 2};
  EXPECT_FALSE(m.SetData(rowValues, 0));
  const std::int32_t all[] = {1, 2, 3, 4};
  EXPECT_TRUE(m.SetDataInEcu(all));  // whole write without library: stored
  EXPECT_EQ(m.Value(1, 1), 4);
  m.ReadOnly = true;
  EXPECT_FALSE(m.SetData(1, 0, 0));
  EXPECT_FALSE(m.SetData(rowValues, 0));
}

TEST(MatrixTest, RowGetDataAndBackup) {
  TFakeConnection conn;
  TOrvMatrix m(nullptr, 2);
  m.SetConnection(&conn);
  m.SetColumnDimension(2);
  m.SetRowDimension(2);
  conn.Fake.RowLength = 2;
  conn.Fake.Arrays[2] = {1, 2, 3, 4};
  std::vector<double> row(2);
  EXPECT_TRUE(m.GetData(row, 1));
  EXPECT_EQ(row, (std::vector<double>{3, 4}));
  EXPECT_FALSE(m.HasBackup());
  std::vector<double> all(4);
  EXPECT_TRUE(m.GetData(all));
  EXPECT_EQ(conn.Fake.Reads(), 2);
}

TEST(MatrixTest, FileKeysAndPartialRead) {
  TFakeConnection conn;
  TOrvMatrix m(nullptr);
  m.SetConnection(&conn);
  m.FileSection = "S";
  m.FileKeyName = "M";
  EXPECT_EQ(m.FileKey(0, 0), "M");
  m.SetColumnDimension(3);
  EXPECT_EQ(m.FileKey(0, 2), "M2");
  m.SetColumnDimension(1);
  m.SetRowDimension(3);
  EXPECT_EQ(m.FileKey(2, 0), "M2");
  m.SetColumnDimension(12);
  EXPECT_EQ(m.FileKey(2, 10), "M2_10");
  m.SetColumnDimension(2);
  m.SetRowDimension(2);
  const std::int32_t raw[] = {1, 2, 3, 4};
  m.SetDataInEcu(raw);
  TMemIni ini;
  ini.WriteString("S", "M1_0", "30");
  conn.Fake.Calls.clear();
  EXPECT_TRUE(m.ReadFromFile(ini));
  EXPECT_EQ(m.Values(), (std::vector<std::int32_t>{1, 2, 30, 4}));
  EXPECT_EQ(conn.Fake.Calls, (std::vector<std::string>{"WriteRow " + Cw(256 + (2u << 12)) + " 0 1",
                                                       "WriteRow " + Cw(256 + (2u << 12)) + " 1 30"}));
  ini.Sections.clear();
  EXPECT_TRUE(m.WriteToFile(ini));
  EXPECT_EQ(ini.Sections["S"].size(), 4u);
  EXPECT_EQ(ini.ReadString("S", "M1_0", ""), "30");
}

}  // namespace
}  // namespace orv::items
