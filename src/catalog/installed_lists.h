// Two listings made once per load, WIN.INI's Fonts keys and the system directory's names, which
// spare the loader a lookup wherever they show that a name is certainly absent.
#pragma once

// Lists both; systemDirectory with its backslash (empty: no file listing). A listing that fails,
// fills its buffer or holds a name that cannot be compared with certainty is not used.
void MakeInstalledListings(const char *systemDirectory);
// Forgets both; afterwards every name is left to its lookup.
void DropInstalledListings();
// 0 when WIN.INI's Fonts section certainly holds no key fontName, else 1.
int MayHoldFontsKey(const char *fontName);
// 0 when the system directory certainly holds no file fileName, else 1.
int MayHoldSystemFile(const char *fileName);
