// Whether two paths name one and the same file, however differently they are spelt.
#pragma once

// 1 when both files exist and are the same file (same volume and file index), else 0.
int IsSameFile(const char *first, const char *second);
