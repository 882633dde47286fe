#include "orv/items/Transformations.h"

#include "orv/items/Serialdata.h"

namespace orv::items {

int TLinearTransformation::Transform(double input, double& output) {
  const double den = input * CoeffC + CoeffD;
  if (den == 0.0) return 1;
  output = (input * CoeffA + CoeffB) / den;
  return 0;
}

int TLinearTransformation::AntiTransform(double input, double& output) {
  const double den = input * CoeffC - CoeffA;
  if (den == 0.0) return 1;
  output = (CoeffB - input * CoeffD) / den;
  return 0;
}

bool IsOrvTransformation(const platform::TComponent* component) {
  return dynamic_cast<const TBaseTransformation*>(component) != nullptr;
}

void TOrvSerialData::GetFormulaCoefficients(double& a, double& b, double& c, double& d) {
  double* out[4] = {&a, &b, &c, &d};
  const double own[4] = {CoeffA, CoeffB, CoeffC, CoeffD};
  // Items whose coefficients depend on each other in a circle: the inner
  // round uses the coefficient properties instead of recursing for ever.
  const bool nested = FInCoefficients;
  FInCoefficients = true;
  for (int i = 0; i < 4; ++i) {
    double value = own[i];
    auto* ext = static_cast<TOrvNumber*>(FExtCoeffs[i]);
    if (ext != nullptr && !nested) {
      value = ext->GetDouble();
      if (TBaseTransformation* t = FTransformations[i]) {
        double transformed = value;
        if (t->Transform(value, transformed) == 0) value = transformed;
      }
    }
    *out[i] = value;
  }
  FInCoefficients = nested;
}

void TOrvSerialData::SetTransformation(int index, TBaseTransformation* transformation) {
  if (index < 1 || index > 4) return;
  // A notice on the previous transformation stays: it may serve another role.
  FTransformations[index - 1] = transformation;
  if (transformation != nullptr) {
    FreeNotification(transformation);
    Load();
  }
}

TBaseTransformation* TOrvSerialData::GetTransformation(int index) const {
  return index >= 1 && index <= 4 ? FTransformations[index - 1] : nullptr;
}

void TOrvSerialData::SetExtCoeff(int index, TOrvSerialData* item) {
  if (index < 1 || index > 4) return;
  if (item != nullptr && (item == this || dynamic_cast<TOrvNumber*>(item) == nullptr)) return;
  TOrvSerialData*& slot = FExtCoeffs[index - 1];
  if (slot != nullptr) {
    bool stillUsed = false;
    for (int i = 0; i < 4; ++i) {
      if (i != index - 1 && FExtCoeffs[i] == slot) stillUsed = true;
    }
    if (!stillUsed) slot->RemoveNotificationList(this);
  }
  slot = item;
  if (item != nullptr) item->AddNotificationList(this);
}

TOrvSerialData* TOrvSerialData::GetExtCoeff(int index) const {
  return index >= 1 && index <= 4 ? FExtCoeffs[index - 1] : nullptr;
}

}  // namespace orv::items
