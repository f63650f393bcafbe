// Whether the run may copy a font file into the system directory: only a font may go there, and
// only a font, an empty file or the source itself may be replaced.
#pragma once

// 1 when source is a TrueType or OpenType font file and target is absent, empty, a font file or
// (sameFile nonzero) the source itself; else 0, and nothing may be written.
int MayCopyFont(const char *source, const char *target, int sameFile);
