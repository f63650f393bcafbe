// The file routines the rest of the program shares. None shows a message; callers report.
#pragma once

// Size of the file in bytes; -1 when it cannot be opened for reading.
int GetFileLength(const char *path);
// 1 when destination holds every byte of source and was closed without error, else 0.
int CopyFontFile(const char *source, const char *destination);
// 1 when the file was deleted, else 0.
int DeleteFontFile(const char *path);
