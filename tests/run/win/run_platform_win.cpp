// The Windows half of the run fixture: KERNEL32 is a module whose file lies in the system
// directory.
#include "run/run_fixture.h"

HINSTANCE ModuleInSystemDirectory(const Sandbox &) {
  return GetModuleHandleA("kernel32.dll");
}
