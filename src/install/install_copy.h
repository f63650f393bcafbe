// Brings a font file into the system directory whole or not at all.
#pragma once

// Copies source into a temporary file beside target, which then takes target's place in one
// move, replacing an older file of that name. Returns 1, or 0 when any step failed; then the
// temporary file is gone and target is as it was.
int CopyWholeFile(const char *source, const char *target);
