// File System: drives, file names, AutoRun and NTFS settings.
#pragma once

#include <span>

#include "nav/tweak_dispatch.h"

namespace corvandel {

// File System: drives, file names, AutoRun and NTFS settings: the load and apply routines, in TweakId order.
std::span<const TweakRoutines> FileSystemRoutines();

}  // namespace corvandel
