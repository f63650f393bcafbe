// The texts and names that more than one part of the program uses, each kept here once.
#pragma once

// The caption of every window and message box.
inline constexpr char AppCaption[] = "TrueType Fonts Installation";
// The message of every failure for want of memory: the list's table, the program's windows.
inline constexpr char NoMemoryText[] = "Available memory is not enough.";
// WIN.INI's section of installed fonts: each key a font name, each value its .Fot file's name.
inline constexpr char FontsSection[] = "Fonts";
