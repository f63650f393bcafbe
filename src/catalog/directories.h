// The two directories the program works in, as path prefixes, and a bounded append of a file
// name, so that no composed path ever runs past its buffer of PathSize characters.
#pragma once

// 1 and, in path (PathSize characters), the directory of the program's file with its trailing
// backslash; 0 when the module path does not fit the buffer.
int GetProgramDirectory(char *path);
// 1 and the system directory, a backslash added when it lacks one; 0 when it does not fit.
int GetSystemDirectoryPath(char *path);
// 1 and path followed by name when the whole fits in PathSize characters; otherwise 0 and
// path unchanged.
int AppendToPath(char *path, const char *name);
