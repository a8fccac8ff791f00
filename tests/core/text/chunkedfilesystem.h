#pragma once

#include "support/failingfilesystem.h"

namespace hartool::test {

// The real files, handed to the readers in chunks of a chosen size; counts what the real layer had to read.
class ChunkedFileSystem : public FailingFileSystem {
  public:
    std::size_t chunk = 1;
    mutable std::size_t readFromDisk = 0;

    platform::ReadResult readUntil(const std::string& path,
                                   const std::function<bool(std::string_view)>& consume) const override {
        return FailingFileSystem::readUntil(path, [&](std::string_view real) {
            readFromDisk += real.size();
            for (std::size_t i = 0; i < real.size(); i += chunk)
                if (!consume(real.substr(i, chunk))) return false;
            return true;
        });
    }
};

}  // namespace hartool::test
