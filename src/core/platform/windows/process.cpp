#include "core/platform/process.h"

#include <io.h>

namespace hartool::platform {

// A program started on Windows has no terminal session to leave.
void leaveSession() {}

bool standardErrorIsTerminal() {
    return ::_isatty(2) != 0;
}

}  // namespace hartool::platform
