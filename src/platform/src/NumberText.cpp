#include "orv/platform/NumberText.h"
// Implemented by the platform work in progress.
