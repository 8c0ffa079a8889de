#include "app/tweak_app_win32.h"

#include <windows.h>
#include <ole2.h>

#include "app/main_dlg_win32.h"
#include "help/html_help_win32.h"

namespace corvandel {

int CTweakApp::Run() {
  // OLE serves only what a user opens later (folder browsing, HTML help) and
  // takes a few milliseconds to start: it starts once the window is up.
  bool ole = false;
  {
    CMainDlg dialog({registry_, platform_, profile_, [](const std::string& path) { OpenHelpFile(path); }});
    dialog.DoModal([&ole] { ole = SUCCEEDED(OleInitialize(nullptr)); });
  }
  if (ole) OleUninitialize();
  return 0;
}

}  // namespace corvandel
