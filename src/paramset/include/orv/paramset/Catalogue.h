#pragma once
// The parameter catalogue: the stored description of the data module
// TSerialDataModule (its service components and every parameter and live
// value, in order), compiled into the program from resources/.

#include <string_view>

namespace orv::paramset {

// The description text, valid for the lifetime of the program.
std::string_view SerialDataModuleDescription();

}  // namespace orv::paramset
