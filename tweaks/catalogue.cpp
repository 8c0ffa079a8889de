#include "tweaks/catalogue.h"

#include "tweaks/accessories/accessories.h"
#include "tweaks/appearance/appearance.h"
#include "tweaks/desktop/desktop.h"
#include "tweaks/explorer/explorer.h"
#include "tweaks/file_system/file_system.h"
#include "tweaks/login/login.h"
#include "tweaks/root_level/root_level.h"
#include "tweaks/start_menu/start_menu.h"
#include "tweaks/startup/startup.h"
#include "tweaks/system/system.h"
#include "tweaks/troubleshooting/troubleshooting.h"

namespace corvandel {

std::span<const TweakRoutines> CatalogueRoutines(Category category) {
  switch (category) {
    case Category::kAccessories: return AccessoriesRoutines();
    case Category::kAppearance: return AppearanceRoutines();
    case Category::kDesktop: return DesktopRoutines();
    case Category::kExplorer: return ExplorerRoutines();
    case Category::kFileSystem: return FileSystemRoutines();
    case Category::kLoginAndAuthentication: return LoginRoutines();
    case Category::kStartMenuAndTaskbar: return StartMenuRoutines();
    case Category::kStartupAndShutdown: return StartupRoutines();
    case Category::kSystem: return SystemRoutines();
    case Category::kTroubleshooting: return TroubleshootingRoutines();
    case Category::kRootLevel: return RootLevelRoutines();
  }
  return {};
}

const TweakDispatch& CatalogueDispatch() {
  static const TweakDispatch dispatch(CatalogueRoutines);
  return dispatch;
}

}  // namespace corvandel
