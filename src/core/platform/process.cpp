#include "core/platform/process.h"

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#elif defined(_WIN32)
#include <io.h>
#endif

namespace hartool::platform {

void leaveSession() {
#if defined(__unix__) || defined(__APPLE__)
    ::setsid();
#endif
}

bool standardErrorIsTerminal() {
#if defined(__unix__) || defined(__APPLE__)
    return ::isatty(2) != 0;
#elif defined(_WIN32)
    return ::_isatty(2) != 0;
#else
    return false;
#endif
}

}  // namespace hartool::platform
