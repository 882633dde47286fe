#pragma once
// The class registry the program's window descriptions are read with: the
// control models, the settings component, the data-bound controls and the
// program's own window classes.

namespace orv::platform {
class TClassRegistry;
}

namespace orv::app {

const platform::TClassRegistry& WindowRegistry();

}  // namespace orv::app
