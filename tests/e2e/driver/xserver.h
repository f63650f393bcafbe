// What the X server under Wine's desktop shows and hears, kept in the scenario's output folder (a
// Unix path the runner names): screenshots of the whole screen, taken by ImageMagick's import,
// which Wine starts as the Unix program it is; and the bells rung, which run.sh has xkbevd write
// to the file "bells" there, one line a bell (MessageBeep under Wine rings the X bell).
#pragma once

#include <string>

void SetOutputFolder(const std::string &unixFolder);
// Saves FOLDER/name.png; false when there is no folder or import failed.
bool Shot(const std::string &name);
// How many bells were rung so far.
int Bells();
