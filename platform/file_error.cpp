#include <utility>

#include "platform/file_system.h"

namespace tallyvane::platform {

FileError::FileError(FileFault fault, std::string path, std::string reason, bool fileChanged)
    : std::runtime_error(path + ": " + reason),
      fault_(fault),
      path_(std::move(path)),
      reason_(std::move(reason)),
      fileChanged_(fileChanged) {}

}  // namespace tallyvane::platform
