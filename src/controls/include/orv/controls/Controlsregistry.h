#pragma once
// Stored-description registration of the data-bound controls: classes,
// published properties in declared order, the caption labels and resizers
// as sub-components ("EditLabel.Caption", "Resizer.GridDimension") and the
// check box's CheckedValue as a defined property, written after the others.
// The bases ("TMemo", "TCustomComboBox", "TLabel", "TCustomCheckBox") come from
// the platform's control registration.

#include "orv/platform/Description.h"

namespace orv::controls {

void RegisterDataControlClasses(platform::TClassRegistry& registry);

}  // namespace orv::controls
