#pragma once
// The run-time error for a failed file operation: the classic number for the
// system's error code, and the system's own words for the reason.
#include "runtime/error.h"

namespace rt {

RuntimeError FileError(int errnoValue);

} // namespace rt
