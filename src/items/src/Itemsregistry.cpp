#include "orv/items/Itemsregistry.h"

#include <vector>

#include "orv/items/Serialdata.h"
#include "orv/items/Transformations.h"
#include "orv/items/Vectordata.h"

namespace orv::items {

namespace {

using platform::TClassBuilder;
using platform::TDescValue;
using platform::TReaderContext;

const std::vector<std::pair<std::string, int>> kTransformationNames = {{"ttNone", ttNone},
                                                                       {"ttFormula", ttFormula},
                                                                       {"ttTabled", ttTabled},
                                                                       {"ttNonLinearTabled", ttNonLinearTabled},
                                                                       {"ttCustom", ttCustom}};

// The numbers of a list value; anything else refuses the description.
std::vector<double> Numbers(const TDescValue& v, TReaderContext& ctx) {
  if (v.kind != TDescValue::Kind::List) ctx.Fail(v.Line, "a list of numbers is expected");
  std::vector<double> out;
  out.reserve(v.Items.size());
  for (const TDescValue& item : v.Items) {
    if (!item.IsNumber()) ctx.Fail(item.Line, "a number is expected");
    out.push_back(item.AsDouble());
  }
  return out;
}

void ReadCoeffs(double* coeffs[4], const TDescValue& v, TReaderContext& ctx) {
  const std::vector<double> n = Numbers(v, ctx);
  if (n.size() != 4) ctx.Fail(v.Line, "Coeffs needs four numbers");
  for (int i = 0; i < 4; ++i) *coeffs[i] = n[static_cast<std::size_t>(i)];
}

void ReadConversionTable(TOrvSerialData& o, const TDescValue& v, TReaderContext& ctx) {
  const std::vector<double> n = Numbers(v, ctx);
  if (n.empty()) ctx.Fail(v.Line, "ConversionTable needs the entry count");
  const double count = n[0];
  if (count <= 0) {
    o.DeleteConversionTable();
    return;
  }
  if (count != static_cast<double>(static_cast<int>(count)) || n.size() != 1 + 2 * static_cast<std::size_t>(count))
    ctx.Fail(v.Line, "ConversionTable needs the count, then that many raw and user values");
  const int c = static_cast<int>(count);
  o.SetConversionTable(n.data() + 1, n.data() + 1 + c, c);
}

// Properties every item publishes, in stored order.
template <class T>
void BaseProperties(TClassBuilder<T>& b) {
  b.Int("DataLength", [](T& o, int v) { o.SetDataLength(v); })
      .Int("DataMask", [](T& o, int v) { o.SetDataMask(v); })
      .Int("SerialCode", [](T& o, int v) { o.SetSerialCode(v); })
      .Bool("Signed", [](T& o, bool v) { o.SetDataSigned(v); })
      .Enum("Transformation", kTransformationNames,
            [](T& o, int v) { o.Transformation = static_cast<TransformationType>(v); })
      .String("MeasureUnit", [](T& o, const std::string& v) { o.MeasureUnit = v; })
      .Float("CoeffA", [](T& o, double v) { o.CoeffA = v; })
      .Float("CoeffB", [](T& o, double v) { o.CoeffB = v; })
      .Float("CoeffC", [](T& o, double v) { o.CoeffC = v; })
      .Float("CoeffD", [](T& o, double v) { o.CoeffD = v; })
      .Float("Precision", [](T& o, double v) { o.SetPrecision(v); })
      .Float("ValueMin", [](T& o, double v) { o.SetMinValue(v); })
      .Float("ValueMax", [](T& o, double v) { o.SetMaxValue(v); })
      .Bool("DisableLimits", [](T& o, bool v) { o.DisableLimits = v; })
      .Int("DataGroup", [](T& o, int v) { o.DataGroup = v; })
      .Bool("OldReadFileMode", [](T& o, bool v) { o.OldReadFileMode = v; });
  const char* letters = "ABCD";
  for (int i = 1; i <= 4; ++i) {
    b.template Ref<TOrvSerialData>(std::string("ExtCoeff") + letters[i - 1],
                                   [i](T& o, TOrvSerialData* e) { o.SetExtCoeff(i, e); });
  }
  for (int i = 1; i <= 4; ++i) {
    b.template Ref<TBaseTransformation>(std::string("Transformation") + letters[i - 1],
                                        [i](T& o, TBaseTransformation* t) { o.SetTransformation(i, t); });
  }
  b.template Event<TConvertToEcuEvent>("OnConvertToEcu", [](T& o, TConvertToEcuEvent e) {
     o.OnConvertToEcu = e;
   }).template Event<TConvertToUserEvent>("OnConvertToUser", [](T& o, TConvertToUserEvent e) {
    o.OnConvertToUser = e;
  });
  b.Defined("Coeffs", [](T& o, const TDescValue& v, TReaderContext& ctx) {
     double* c[4] = {&o.CoeffA, &o.CoeffB, &o.CoeffC, &o.CoeffD};
     ReadCoeffs(c, v, ctx);
   }).Defined("ConversionTable", [](T& o, const TDescValue& v, TReaderContext& ctx) {
    ReadConversionTable(o, v, ctx);
  });
}

// The link, file keys, options and events of numbers, vectors and matrices.
template <class T>
void AccessProperties(TClassBuilder<T>& b) {
  b.template Ref<TOrvConnectionBase>("Connection", [](T& o, TOrvConnectionBase* c) { o.SetConnection(c); })
      .String("FileSection", [](T& o, const std::string& v) { o.FileSection = v; })
      .String("FileKeyName", [](T& o, const std::string& v) { o.FileKeyName = v; })
      .Bool("StoreUserValue", [](T& o, bool v) { o.StoreUserValue = v; })
      .Bool("ReadOnly", [](T& o, bool v) { o.ReadOnly = v; })
      .template Event<TNotifyEvent>("BeforeSetData", [](T& o, TNotifyEvent e) { o.BeforeSetData = e; })
      .template Event<TNotifyEvent>("BeforeGetData", [](T& o, TNotifyEvent e) { o.BeforeGetData = e; })
      .template Event<TNotifyEvent>("OnSetData", [](T& o, TNotifyEvent e) { o.OnSetData = e; })
      .template Event<TNotifyEvent>("OnGetData", [](T& o, TNotifyEvent e) { o.OnGetData = e; })
      .template Event<TErrorEvent>("OnError", [](T& o, TErrorEvent e) { o.OnError = e; });
}

}  // namespace

void RegisterItemClasses(platform::TClassRegistry& registry) {
  {
    TClassBuilder<TOrvSerialData> b(registry, "TOrvSerialData", "", false);
    BaseProperties(b);
  }
  {
    TClassBuilder<TOrvNumber> b(registry, "TOrvNumber", "TOrvSerialData");
    b.Enum("Type", {{"ntSingle", ntSingle}, {"ntVectorElement", ntVectorElement}, {"ntMatrixElement", ntMatrixElement}},
           [](TOrvNumber& o, int v) { o.SetNumberType(static_cast<TNumberType>(v)); })
        .Int("RowIndex", [](TOrvNumber& o, int v) { o.SetIndexRow(v); })
        .Int("ColIndex", [](TOrvNumber& o, int v) { o.SetIndexCol(v); })
        .Bool("ByAddress", [](TOrvNumber& o, bool v) { o.ByAddress = v; })
        .Int("Address", [](TOrvNumber& o, int v) { o.Address = v; })
        .Float("DefaultValue", [](TOrvNumber& o, double v) { o.DefaultValue = v; });
    AccessProperties(b);
  }
  {
    TClassBuilder<TOrvPacketData> b(registry, "TOrvPacketData", "TOrvSerialData");
    b.Int("TimeInterval", [](TOrvPacketData& o, int v) { o.SetTimeInterval(v); })
        .Int("Offset", [](TOrvPacketData& o, int v) { o.Offset = v; })
        .Bool("Active", [](TOrvPacketData& o, bool v) { o.SetActive(v); })
        .Ref<TDataRefresherBase>("DataRefresher",
                                 [](TOrvPacketData& o, TDataRefresherBase* r) { o.SetDataRefresher(r); })
        .Event<TNotifyEvent>("BeforeGetData", [](TOrvPacketData& o, TNotifyEvent e) { o.BeforeGetData = e; })
        .Event<TNotifyEvent>("OnGetData", [](TOrvPacketData& o, TNotifyEvent e) { o.OnGetData = e; });
  }
  {
    TClassBuilder<TOrvVector> b(registry, "TOrvVector", "TOrvSerialData");
    b.Int("ArrayDimension", [](TOrvVector& o, int v) { o.SetArrayDimension(v); })
        .Enum("Type", {{"vtSingle", vtSingle}, {"vtMatrixRow", vtMatrixRow}, {"vtMatrixCol", vtMatrixCol}},
              [](TOrvVector& o, int v) { o.SetVectorType(static_cast<TVectorType>(v)); })
        .Int("RowIndex", [](TOrvVector& o, int v) { o.SetIndexRow(v); })
        .Int("ColIndex", [](TOrvVector& o, int v) { o.SetIndexCol(v); })
        .Bool("ByAddress", [](TOrvVector& o, bool v) { o.ByAddress = v; })
        .Int("Address", [](TOrvVector& o, int v) { o.Address = v; })
        .Bool("SingleElementAccess", [](TOrvVector& o, bool v) { o.SingleElementAccess = v; });
    AccessProperties(b);
    b.Defined("DefaultValue", [](TOrvVector& o, const TDescValue& v, TReaderContext& ctx) {
      const std::vector<double> n = Numbers(v, ctx);
      if (n.empty() || n[0] < 0 || n.size() != 1 + static_cast<std::size_t>(n[0]))
        ctx.Fail(v.Line, "DefaultValue needs the count, then that many values");
      for (std::size_t i = 1; i < n.size(); ++i) o.SetDefValue(static_cast<int>(i - 1), n[i]);
    });
  }
  {
    TClassBuilder<TOrvMatrix> b(registry, "TOrvMatrix", "TOrvSerialData");
    b.Int("ColCount", [](TOrvMatrix& o, int v) { o.SetColumnDimension(v); })
        .Int("RowCount", [](TOrvMatrix& o, int v) { o.SetRowDimension(v); })
        .Enum("Type", {{"mtSingle", mtSingle}, {"mtVector", mtVector}, {"mtMatrix", mtMatrix}},
              [](TOrvMatrix& o, int v) { o.SetMatrixType(static_cast<TMatrixType>(v)); })
        .Bool("ByAddress", [](TOrvMatrix& o, bool v) { o.ByAddress = v; })
        .Int("Address", [](TOrvMatrix& o, int v) { o.Address = v; })
        .Bool("SingleElementAccess", [](TOrvMatrix& o, bool v) { o.SingleElementAccess = v; });
    AccessProperties(b);
    b.Defined("DefaultValue", [](TOrvMatrix& o, const TDescValue& v, TReaderContext& ctx) {
      const std::vector<double> n = Numbers(v, ctx);
      if (n.size() < 2 || n[0] < 0 || n[1] < 0 ||
          n.size() != 2 + static_cast<std::size_t>(n[0]) * static_cast<std::size_t>(n[1]))
        ctx.Fail(v.Line, "DefaultValue needs rows, columns, then the values row by row");
      const int rows = static_cast<int>(n[0]);
      const int cols = static_cast<int>(n[1]);
      for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) o.SetDefValue(r, c, n[2 + static_cast<std::size_t>(r * cols + c)]);
      }
    });
  }
  { TClassBuilder<TBaseTransformation> b(registry, "TBaseTransformation", "", false); }
  {
    TClassBuilder<TLinearTransformation> b(registry, "TLinearTransformation", "TBaseTransformation");
    b.Float("CoeffA", [](TLinearTransformation& o, double v) { o.CoeffA = v; })
        .Float("CoeffB", [](TLinearTransformation& o, double v) { o.CoeffB = v; })
        .Float("CoeffC", [](TLinearTransformation& o, double v) { o.CoeffC = v; })
        .Float("CoeffD", [](TLinearTransformation& o, double v) { o.CoeffD = v; })
        .Defined("Coeffs", [](TLinearTransformation& o, const TDescValue& v, TReaderContext& ctx) {
          double* c[4] = {&o.CoeffA, &o.CoeffB, &o.CoeffC, &o.CoeffD};
          ReadCoeffs(c, v, ctx);
        });
  }
}

}  // namespace orv::items
