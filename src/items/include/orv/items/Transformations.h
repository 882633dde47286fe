#pragma once
// Transformations applied to an item's external coefficients: the abstract
// transformation and the linear-fractional one. Both are components; items
// refer to them without owning them (cleared by destruction notices).

#include "orv/platform/Component.h"

namespace orv::items {

class TBaseTransformation : public platform::TComponent {
 public:
  using platform::TComponent::TComponent;
  const char* ClassName() const override { return "TBaseTransformation"; }

  // Status 0: output holds the transformed value; otherwise output is
  // untouched.
  virtual int Transform(double input, double& output) = 0;
  // The inverse of Transform, same status rule.
  virtual int AntiTransform(double input, double& output) = 0;
};

// output = (a·x + b) / (c·x + d); the inverse x = (b − d·y) / (c·y − a).
// A zero denominator gives status 1.
class TLinearTransformation : public TBaseTransformation {
 public:
  using TBaseTransformation::TBaseTransformation;
  const char* ClassName() const override { return "TLinearTransformation"; }

  double CoeffA = 1.0;
  double CoeffB = 0.0;
  double CoeffC = 0.0;
  double CoeffD = 1.0;

  int Transform(double input, double& output) override;
  int AntiTransform(double input, double& output) override;
};

// True when component is not none and is a transformation.
bool IsOrvTransformation(const platform::TComponent* component);

}  // namespace orv::items
