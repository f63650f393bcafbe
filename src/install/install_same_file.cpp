// Compares two files by identity rather than by name, since copying a file onto itself empties it.
#include "install/install_same_file.h"

#include <windows.h>

namespace {

// Reads the volume serial number and file index of path; 0 when the file cannot be opened.
int GetFileIdentity(const char *path, BY_HANDLE_FILE_INFORMATION *information) {
  // No access rights are asked for: querying the identity needs none, and so the file opens
  // even while another program holds it open.
  HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return 0;
  BOOL known = GetFileInformationByHandle(file, information);
  CloseHandle(file);
  return known ? 1 : 0;
}

}  // namespace

// A program lying in the system directory may see that directory under two names (a 32-bit
// program on 64-bit Windows is reported in SysWOW64 while GetSystemDirectoryA says System32).
// A file that is there but cannot be asked leaves the answer open: taken for another file, the
// only copy of an installed font would be copied onto itself and deleted as its own original.
int IsSameFile(const char *first, const char *second) {
  BY_HANDLE_FILE_INFORMATION one;
  BY_HANDLE_FILE_INFORMATION other;
  if (!GetFileIdentity(first, &one)) return -1;
  if (!GetFileIdentity(second, &other))
    return GetFileAttributesA(second) == INVALID_FILE_ATTRIBUTES ? 0 : -1;
  return one.dwVolumeSerialNumber == other.dwVolumeSerialNumber &&
                 one.nFileIndexHigh == other.nFileIndexHigh &&
                 one.nFileIndexLow == other.nFileIndexLow
             ? 1
             : 0;
}
