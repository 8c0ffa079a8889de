#include "app/tweak_app_win32.h"

#include <windows.h>
#include <ole2.h>

#include "app/main_dlg_win32.h"
#include "help/html_help_win32.h"

namespace corvandel {

int CTweakApp::Run() {
  // The background picture is decoded by OLE.
  const bool ole = SUCCEEDED(OleInitialize(nullptr));
  {
    CMainDlg dialog({registry_, platform_, profile_, [](const std::string& path) { OpenHelpFile(path); }});
    dialog.DoModal();
  }
  if (ole) OleUninitialize();
  return 0;
}

}  // namespace corvandel
