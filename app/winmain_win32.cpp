// Corvandel.exe: the program's entry point.
#include <windows.h>

#include "app/tweak_app_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  corvandel::CTweakApp app;
  return app.Run();
}
