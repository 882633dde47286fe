#include "orv/platform/Description.h"
// Implemented by the platform work in progress.
