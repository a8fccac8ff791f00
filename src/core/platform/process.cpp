#include "core/platform/process.h"

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace hartool::platform {

void leaveSession() {
#if defined(__unix__) || defined(__APPLE__)
    ::setsid();
#endif
}

}  // namespace hartool::platform
