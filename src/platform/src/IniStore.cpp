#include "orv/platform/IniStore.h"
// Implemented by the platform work in progress.
