#include "core/platform/process.h"

#include <unistd.h>

namespace hartool::platform {

void leaveSession() {
    ::setsid();
}

bool standardErrorIsTerminal() {
    return ::isatty(2) != 0;
}

}  // namespace hartool::platform
