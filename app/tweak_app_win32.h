// CTweakApp: the application. It runs the main window over the real
// registry, platform and INI files, brings up OLE once the window is first
// idle, and ends the process when the window closes.
#pragma once

#include "services/platform_win32.h"
#include "services/profile_win32.h"
#include "services/registry_win32.h"

namespace corvandel {

class CTweakApp {
 public:
  // Runs the main window to its end; the process's exit code.
  int Run();

 private:
  Win32Registry registry_;
  Win32Platform platform_;
  Win32Profile profile_;
};

}  // namespace corvandel
