// Facts about host files that the file, directory and font calls share.
#pragma once

#include <string>

namespace winsim::detail {

bool IsReadOnlyHost(const std::string &host);
bool IsDirectoryHost(const std::string &host);
// Whether a handle of this machine is open on the host file (which then cannot be deleted).
bool IsOpenHost(const std::string &host);

}  // namespace winsim::detail

namespace winsim::detail {

// Deletes a host file as DeleteFileA does (not a directory, not read-only, not open), setting
// the last error.
bool DeleteHostFile(const std::string &host);

}  // namespace winsim::detail
