// Saving a user's file without ever leaving half of it behind: the bytes go
// to a temporary file beside the target, which then replaces the target in
// one move. A failure leaves the old file as it was.
#pragma once

#include <string>

#include "common/platform/platform.h"

namespace vantrel {

bool SaveFileSafely(Platform& platform, const std::string& path, const std::string& bytes);

// Copies path to path + ".bak", replacing an older copy. True when there
// is nothing to copy.
bool KeepBackupCopy(Platform& platform, const std::string& path);

} // namespace vantrel
