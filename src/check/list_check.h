// QuillboxCheck's work: what becomes of each line of a list file, told line by line to the
// person who prepares a collection, decided by the loader's own code and changing nothing.
#pragma once

// Receives each line of the report, without a line end.
typedef void (*CheckSink)(const char *line);

enum CheckResult { CheckAllOffered = 0, CheckSomeSkipped = 1, CheckListUnreadable = 2 };

// Decides every line of Quillbox.Lst in directory (with its backslash) against the font files
// there and this machine's system directory and WIN.INI. Reports one line per list line and a
// last line of counts to out, or the reason the list cannot be read to error. Returns a
// CheckResult: 0 when every line is offered, already installed or blank.
int CheckListFile(const char *directory, CheckSink out, CheckSink error);
