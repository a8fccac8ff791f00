#include "core/platform/process.h"

namespace hartool::platform {

// A program started on Windows has no terminal session to leave.
void leaveSession() {}

}  // namespace hartool::platform
