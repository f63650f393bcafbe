// The two directories the program works in, as path prefixes, and the joining of a directory
// and a file name, so that no composed path ever runs past its buffer of PathSize characters.
#pragma once

constexpr int PathSize = 128;  // every composed path and message text, with its NUL

// 1 and, in path (PathSize characters), the directory of the program's file with its trailing
// backslash; 0 and an empty path when the module path does not fit the buffer.
int GetProgramDirectory(char *path);
// 1 and the system directory, a backslash added when it lacks one; 0 and an empty path when it
// does not fit.
int GetSystemDirectoryPath(char *path);
// 1 when path ends in a backslash or a slash, or a backslash could be added; 0 and an empty path
// when path is empty or has no room for it.
int EndWithBackslash(char *path);
// 1 and, in path, directory followed by name when directory is not empty and the whole fits in
// PathSize characters; otherwise 0 and an empty path.
int JoinPath(char *path, const char *directory, const char *name);
