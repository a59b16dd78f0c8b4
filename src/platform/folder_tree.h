#pragma once

#include <string>

#include "platform/files.h"

namespace platform {

// Whole folder trees, written once over the basic calls of any file system, so that the real and
// the simulated machine copy and delete a tree by the same steps.

// Copies a folder with everything in it into a new or existing folder, replacing files of the
// same name (not read-only or hidden ones, which Windows refuses to replace); new sub-folders
// keep their source's attributes. A junction inside is not followed: what it points to is no
// part of the tree. Goes on past entries it cannot copy (those, and files in use without read
// sharing) and then reports the last such failure. A copy into the folder itself or below it
// is refused (5), as it would never end.
FileStatus CopyFolder(Files& files, const std::string& from, const std::string& to);

// Deletes a folder with everything in it; force also removes read-only entries. A junction is
// removed as a link. Goes on past entries it cannot delete (files in use) and then reports the
// last such failure, leaving the folders that still hold something. A drive root is refused (5).
FileStatus DeleteFolder(Files& files, const std::string& path, bool force);

}  // namespace platform
