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
// 1 and, in path, name in the system directory as every process reaches it: on 64-bit Windows
// running the 32-bit program, in the folder GetSystemWow64DirectoryA names, of which the program's
// own system directory is a view; elsewhere in the system directory. 0 and an empty path when it
// does not fit. For paths handed to the system or stored for other processes; the program itself
// creates and reads its files through GetSystemDirectoryPath.
int GetSharedSystemPath(char *path, const char *name);
// 1 when path ends in a backslash or a slash, or a backslash could be added; 0 and an empty path
// when path is empty or has no room for it.
int EndWithBackslash(char *path);
// 1 and, in path, directory followed by name when directory is not empty and the whole fits in
// PathSize characters; otherwise 0 and an empty path.
int JoinPath(char *path, const char *directory, const char *name);
