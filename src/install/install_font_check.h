// Whether the run may copy a font file into the system directory: only a whole font may go there,
// and only a font, an empty file or the source itself may be replaced.
#pragma once

// 1 when source is a whole TrueType or OpenType font or collection (its table directory read) and
// target is absent, empty, a file that begins like a font or (sameFile nonzero) the source itself;
// else 0, and nothing may be written.
int MayCopyFont(const char *source, const char *target, int sameFile);
