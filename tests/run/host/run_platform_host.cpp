// The host half of the run fixture: the simulated program moved into the system directory.
#include "run/run_fixture.h"

#include "winsim/sim.h"

HINSTANCE ModuleInSystemDirectory(const Sandbox &sandbox) {
  winsim::SetModulePath(sandbox.InSystemDir("QUILLBOX.EXE"));
  return winsim::ModuleHandle();
}
