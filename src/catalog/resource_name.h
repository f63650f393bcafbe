// The name of a font's scalable font resource file (.Fot), shared by the loader and the run.
#pragma once

// Writes into resourceName (FileNameSize characters) the file name up to and including its last
// dot followed by "Fot"; a name without a dot gets ".Fot" appended. Returns 1, or 0 when the
// result would not fit (resourceName is then empty).
int MakeResourceName(const char *fileName, char *resourceName);
