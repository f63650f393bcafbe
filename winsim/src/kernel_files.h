// Facts about the drive's files that the file, directory and font calls share, by drive path.
#pragma once

#include <string>

namespace winsim::detail {

bool IsReadOnlyOnDrive(const std::string &host);
bool IsDirectoryOnDrive(const std::string &host);
// Whether a handle of this machine is open on the file (which then cannot be deleted).
bool IsOpenOnDrive(const std::string &host);

}  // namespace winsim::detail

namespace winsim::detail {

// Deletes a file as DeleteFileA does (not a directory, not read-only, not open), setting
// the last error.
bool DeleteDriveFile(const std::string &host);

}  // namespace winsim::detail
