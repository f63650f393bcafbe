// The benchmark program's commands, one per kind of result row. Each prints its rows (Markdown
// table cells) and its plot points on stdout, and returns the process exit code.
#pragma once

#include <string>
#include <vector>

using Arguments = std::vector<std::string>;

int LayoutCommand(const Arguments &args);   // layout DIR LINES
int LoaderCommand(const Arguments &args);   // loader DIR LINES REPEATS
int LoadCommand(const Arguments &args);     // load DIR LINES [plain]: one load, for profiles
int StartCommand(const Arguments &args);    // start DIR LINES REPEATS EXE...
int CopyCommand(const Arguments &args);     // copy DIR REPEATS
int FontRunCommand(const Arguments &args);  // run DIR FONTS (under Wine only)

// LINES is a count or "largest" (65,000 bytes of the shortest lines).
int LineCountArgument(const std::string &text);
