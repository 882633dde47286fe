#pragma once
// Stored-description registration of the data items and transformations:
// classes, published properties in their stored order, and the defined
// list properties ("Coeffs", "ConversionTable", "DefaultValue").

#include "orv/platform/Description.h"

namespace orv::items {

void RegisterItemClasses(platform::TClassRegistry& registry);

}  // namespace orv::items
