#pragma once
// Atomic replacements through real file steps that fail from a chosen step on.
#include "platform/file_steps.h"

namespace fake {

// Replaces files in `folder` through `real` under each fault at each step; lists what went wrong.
std::string brokenReplacements(platform::FileSteps& real, const std::string& folder);

} // namespace fake
