#include "core/platform/process.h"

#include <unistd.h>

namespace hartool::platform {

void leaveSession() {
    ::setsid();
}

}  // namespace hartool::platform
