// Screenshots of the whole X screen, taken by ImageMagick's import, which Wine starts as the
// Unix program it is. The runner names the folder (a Unix path) where they are saved.
#pragma once

#include <string>

void SetShotFolder(const std::string &unixFolder);
// Saves FOLDER/name.png; false when there is no folder or import failed.
bool Shot(const std::string &name);
