// CopyFileA, for the benchmarks that compare the program's own copy with the platform's: the
// drive copies the bytes itself (on a host folder std::filesystem, which uses the kernel's
// in-place copy where it has one), as Windows' CopyFileA is the system's own copy. No faults are
// modelled for it. A read-only destination is refused, as Windows documents; Wine 8 overwrites it.
#include <windows.h>

#include "kernel_files.h"
#include "sim_drive.h"
#include "sim_paths.h"
#include "sim_state.h"

using winsim::detail::SetError;

BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
  std::string source;
  std::string destination;
  bool sourceExists = false;
  bool destinationExists = false;
  DWORD error = winsim::detail::LocateFile(lpExistingFileName, &source, &sourceExists);
  if (error == ERROR_SUCCESS && (!sourceExists || winsim::detail::IsDirectoryOnDrive(source)))
    error = ERROR_FILE_NOT_FOUND;
  if (error == ERROR_SUCCESS)
    error = winsim::detail::LocateFile(lpNewFileName, &destination, &destinationExists);
  if (error == ERROR_SUCCESS && destinationExists) {
    if (bFailIfExists)
      error = ERROR_FILE_EXISTS;
    else if (winsim::detail::IsDirectoryOnDrive(destination) ||
             winsim::detail::IsReadOnlyOnDrive(destination))
      error = ERROR_ACCESS_DENIED;
    else if (winsim::detail::IsOpenOnDrive(destination))
      error = ERROR_SHARING_VIOLATION;
  }
  if (error == ERROR_SUCCESS && !winsim::detail::TheDrive().Copy(source, destination)) {
    error = ERROR_ACCESS_DENIED;
  }
  if (error != ERROR_SUCCESS) {
    SetError(error);
    return FALSE;
  }
  return TRUE;
}
