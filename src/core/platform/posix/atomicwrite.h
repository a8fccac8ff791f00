#pragma once

// Replacing a file whole: the new content goes into a locked temporary beside the target and is renamed over
// it, so the file holds its old content or all of the new one; and the clean-up of temporaries that killed
// writers left behind.

#include <sys/types.h>

#include <functional>
#include <string>

#include "core/platform/filesystem.h"

namespace hartool::platform::posix {

// A hidden temporary file beside target, so that the final rename stays in one file system; returned locked,
// and not inherited by programs the tool starts, which would keep the lock alive. -1 with errno on failure.
int createTemporary(const std::string& target, std::string& tempPath);

// Removes the temporaries in folder that no live writer holds.
void removeDeadTemporaries(const std::string& folder);

// A link is followed, so that the file it points at gets the new content rather than the link being replaced.
// A link whose file is gone is refused: replacing it would turn the link into a file of its own.
Status followLink(const std::string& native, std::string& target);

// The mode a new file gets: all may read and write, less the process's umask.
mode_t defaultFileMode();

// Fills a temporary file through fill(fd), which returns false with errno set on a failure, then renames it
// over linkOrTarget (or the file it links to). The old file survives any failure; a folder or a read-only
// file of that name is refused.
Status replaceAtomically(const std::string& linkOrTarget, mode_t mode,
                         const std::function<bool(int fd)>& fill);

}  // namespace hartool::platform::posix
