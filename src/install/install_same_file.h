// Whether two paths name one and the same file, however differently they are spelt.
#pragma once

// 1 when both files exist and are the same file (same volume and file index), 0 when they are
// not or second does not exist, -1 when a file that exists cannot be asked.
int IsSameFile(const char *first, const char *second);
