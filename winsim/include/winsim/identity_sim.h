// Test control for winsim's file identity calls (CreateFileA, GetFileInformationByHandle,
// CloseHandle): how many of their handles are still open, so that a test can see none leaks.
#pragma once

namespace winsim {

int OpenIdentityHandles();

}  // namespace winsim
