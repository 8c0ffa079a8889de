// Stored states of the tweaks of this category as a user's registry holds
// them (each loads and applies back unchanged), and the states an untouched
// apply rewrites by design. The first state of a tweak is where the other
// tests start from: its keys exist.
#include "tweak_harness.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {

namespace {

constexpr const char* kDesktop = "Control Panel\\Desktop";
constexpr const char* kDefaultDesktop = ".DEFAULT\\Control Panel\\Desktop";
constexpr const char* kMetrics = "Control Panel\\Desktop\\WindowMetrics";
constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr const char* kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr const char* kBinIcon =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";
constexpr const char* kDirectDraw = "SOFTWARE\\Microsoft\\DirectDraw";
constexpr const char* kPreview = "SystemFileAssociations\\image\\ShellEx\\ContextMenuHandlers\\ShellImagePreview";
constexpr const char* kComdlg = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Comdlg32";
constexpr const char* kColors = "Control Panel\\Colors";

constexpr const char* kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
constexpr const char* kPolicyExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kNonEnum = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\NonEnum";
constexpr const char* kNameSpace = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace";
constexpr const char* kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* kFirstIcon = "CLSID\\{450D8FBA-AD25-11D0-98A8-0800361B1103}";
constexpr const char* kCleanup = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\CleanupWiz";
constexpr const char* kDocsNt =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID\\{450D8FBA-AD25-11D0-98A8-0800361B1103}\\ShellFolder";
constexpr const char* kDocs9x = "Software\\Classes\\CLSID\\{450D8FBA-AD25-11D0-98A8-0800361B1103}\\ShellFolder";
constexpr const char* kBinFolder = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder";
constexpr const char* kMyComputer = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

// A flag kept as text: "1" and "0".
void TextFlag(std::vector<StoredState>& s, int id, const char* path, const char* name) {
  s.push_back({id, "on", {Sz(kHKCU, path, name, "1")}});
  s.push_back({id, "off", {Sz(kHKCU, path, name, "0")}});
}

// A policy of both scopes, set to 1 or absent.
void Policy(std::vector<StoredState>& s, int id, const char* name) {
  s.push_back({id, "user on", {Dw(kHKCU, kPolicyExplorer, name, 1), KeyOnly(kHKLM, kPolicyExplorer)}});
  s.push_back({id, "machine on", {KeyOnly(kHKCU, kPolicyExplorer), Dw(kHKLM, kPolicyExplorer, name, 1)}});
}

std::vector<StoredState> BuildAppearance() {
  std::vector<StoredState> s;
  // Effects and Menus
  s.push_back({53, "right", {Sz(kHKCU, kDesktop, "MenuDropAlignment", "1")}});
  s.push_back({53, "left", {Sz(kHKCU, kDesktop, "MenuDropAlignment", "0")}});
  s.push_back({54, "400", {Sz(kHKCU, kDesktop, "MenuShowDelay", "400")}});
  s.push_back({54, "none", {Sz(kHKCU, kDesktop, "MenuShowDelay", "0")}});
  TextFlag(s, 56, kMetrics, "MinAnimate");
  TextFlag(s, 57, kDesktop, "DragFullWindows");
  s.push_back({58, "tips removed", {Raw(kHKCU, kDesktop, "UserPreferencesMask", {0x1E, 0x3E, 0x07, 0x80}),
                                    Raw(kHKU, kDefaultDesktop, "UserPreferencesMask", {0x1E, 0x3E, 0x07, 0x80})}});
  s.push_back({58, "tips shown", {Raw(kHKCU, kDesktop, "UserPreferencesMask", {0x9E, 0x3E, 0x07, 0x80, 0x12, 0, 0, 0}),
                                  Raw(kHKU, kDefaultDesktop, "UserPreferencesMask", {0xBE, 0x28})}});
  s.push_back({58, "empty masks", {Raw(kHKCU, kDesktop, "UserPreferencesMask", {}),
                                   Raw(kHKU, kDefaultDesktop, "UserPreferencesMask", {})}});
  s.push_back({59, "yes", {Sz(kHKCU, kAdvanced, "IntelliMenus", "Yes")}});
  s.push_back({59, "no", {Sz(kHKCU, kAdvanced, "IntelliMenus", "No")}});
  // Fonts and Icons
  s.push_back({61, "thumbnails", {Sz(kHKCR, "Paint.Picture\\DefaultIcon", "", "%1")}});
  s.push_back({61, "viewer icon", {Sz(kHKCR, "Paint.Picture\\DefaultIcon", "", "shimgvw.dll,1")}});
  s.push_back({62, "icons", {Sz(kHKCU, kBinIcon, "", "%SystemRoot%\\System32\\shell32.dll,31"),
                             Sz(kHKCU, kBinIcon, "Empty", "%SystemRoot%\\System32\\shell32.dll,31"),
                             Sz(kHKCU, kBinIcon, "Full", "%SystemRoot%\\System32\\shell32.dll,32")}});
  s.push_back({63, "32", {Sz(kHKCU, kMetrics, "Shell Icon Size", "32")}});
  s.push_back({63, "not set", {KeyOnly(kHKCU, kMetrics)}});
  s.push_back({64, "cleartype", {Dw(kHKCU, kDesktop, "FontSmoothingType", 2)}});
  s.push_back({64, "unlisted", {Dw(kHKCU, kDesktop, "FontSmoothingType", 7)}});
  s.push_back({65, "16 bit", {Sz(kHKCU, kMetrics, "Shell Icon BPP", "16")}});
  s.push_back({66, "nt", {Sz(kHKCU, kDesktop, "FontSmoothing", "2")}});
  s.push_back({66, "off", {Sz(kHKCU, kDesktop, "FontSmoothing", "0")}, win::k95});
  s.push_back({66, "on 98", {Sz(kHKCU, kDesktop, "FontSmoothing", "1")}, win::k98});
  TextFlag(s, 67, kMetrics, "IconTitleWrap");
  // Colours: a named colour, and one no name stands for.
  s.push_back({68, "blue", {Sz(kHKCU, kColors, "HotTrackingColor", "0 0 255")}});
  s.push_back({68, "unnamed", {Sz(kHKCU, kColors, "HotTrackingColor", "0 102 204")}});
  s.push_back({68, "not set", {KeyOnly(kHKCU, kColors)}});
  s.push_back({69, "blue", {Raw(kHKCU, kExplorer, "AltColor", {0, 0, 0xFF, 0})}});
  s.push_back({69, "unnamed", {Raw(kHKCU, kExplorer, "AltColor", {1, 2, 3, 0})}});
  s.push_back({70, "green", {Raw(kHKCU, kExplorer, "AltEncryptionColor", {0, 0x80, 0, 0})}});
  s.push_back({70, "not set", {KeyOnly(kHKCU, kExplorer)}});
  // Wallpaper, thumbnails, scrolling, DirectDraw, preview, dialogs, colour
  s.push_back({71, "17 and 300", {Sz(kHKCU, kDesktop, "Wallpaperoriginx", "17"), Sz(kHKCU, kDesktop, "Wallpaperoriginy", "300")}});
  s.push_back({72, "both roots", {Dw(kHKCU, kExplorer, "ThumbnailSize", 96), Dw(kHKCU, kExplorer, "ThumbnailQuality", 90),
                                  Dw(kHKLM, kExplorer, "ThumbnailSize", 96), Dw(kHKLM, kExplorer, "ThumbnailQuality", 90)}});
  s.push_back({72, "unlisted", {Dw(kHKCU, kExplorer, "ThumbnailSize", 300), Dw(kHKCU, kExplorer, "ThumbnailQuality", 101),
                                Dw(kHKLM, kExplorer, "ThumbnailSize", 300), Dw(kHKLM, kExplorer, "ThumbnailQuality", 101)}});
  OnOff(s, 73, kHKCU, kDesktop, "SmoothScroll");
  s.push_back({74, "some", {Dw(kHKLM, kDirectDraw, "DisableAGPSupport", 1), Dw(kHKLM, kDirectDraw, "DisableMMX", 0),
                            Dw(kHKLM, kDirectDraw, "DisableWiderSurfaces", 0), Dw(kHKLM, kDirectDraw, "DisableInactivate", 0),
                            Dw(kHKLM, kDirectDraw, "EnablePrintScreen", 1), Dw(kHKLM, kDirectDraw, "ModeXOnly", 0),
                            Dw(kHKLM, kDirectDraw, "ShowFrameRate", 0), Dw(kHKLM, kDirectDraw, "DisableNoSysLock", 0),
                            Dw(kHKLM, kDirectDraw, "ForceNoSysLock", 0), Dw(kHKLM, kDirectDraw, "EmulationOnly", 1)}});
  s.push_back({75, "preview", {Sz(kHKCR, kPreview, "", "{e84fda7c-1d6a-45f6-b725-cb260c236066}")}});
  s.push_back({75, "no preview", {KeyOnly(kHKCR, kPreview)}});
  s.push_back({76, "user", {Dw(kHKCU, kComdlg, "NoBackButton", 1), Dw(kHKCU, kComdlg, "NoFileMRU", 0), Dw(kHKCU, kComdlg, "NoPlacesBar", 1),
                            Dw(kHKLM, kComdlg, "NoBackButton", 0), Dw(kHKLM, kComdlg, "NoFileMRU", 1), Dw(kHKLM, kComdlg, "NoPlacesBar", 1)}});
  OnOff(s, 77, kHKCU, kAdvanced, "ShowCompColor");
  return s;
}

std::vector<StoredState> BuildDesktop() {
  std::vector<StoredState> s;
  s.push_back({80, "some icons", {KeyOnly(kHKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace\\{645FF040-5081-101B-9F08-00AA002F954E}"),
                                  KeyOnly(kHKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace\\{D20EA4E1-3957-11d2-A40B-0C5020524152}")}});
  s.push_back({80, "none", {KeyOnly(kHKLM, kNameSpace)}});
  s.push_back({82, "text", {Sz(kHKLM, kWinlogon, "ScreenSaverGracePeriod", "5")}});
  s.push_back({82, "not set", {KeyOnly(kHKLM, kWinlogon)}});
  s.push_back({82, "not a number", {Sz(kHKLM, kWinlogon, "ScreenSaverGracePeriod", "five")}});
  s.push_back({83, "my computer", {Dw(kHKCR, kFirstIcon, "SortOrderIndex", 84)}});
  s.push_back({83, "my documents", {Dw(kHKCR, kFirstIcon, "SortOrderIndex", 72)}});
  OnOff(s, 84, kHKCU, kCleanup, "NoRun");
  Policy(s, 85, "NoViewContextMenu");
  Policy(s, 86, "ClassicShell");
  s.back().version = win::k2000;
  s[s.size() - 2].version = win::k2000;
  Policy(s, 87, "NoInternetIcon");
  s.push_back({87, "no policies", {KeyOnly(kHKCU, "Software\\Microsoft\\Windows\\CurrentVersion")}});
  s.push_back({89, "user on", {Dw(kHKCU, kNonEnum, "{20D04FE0-3AEA-1069-A2D8-08002B30309D}", 1),
                               Dw(kHKLM, kNonEnum, "{20D04FE0-3AEA-1069-A2D8-08002B30309D}", 0)}});
  s.push_back({90, "user hidden", {Dw(kHKCU, kDocsNt, "Attributes", 0xF0500174), Dw(kHKLM, kDocsNt, "Attributes", 0xF0400174)}});
  s.push_back({90, "machine hidden on 98", {Dw(kHKCU, kDocs9x, "Attributes", 0xF0400174), Dw(kHKLM, kDocs9x, "Attributes", 0xF0500174)}, win::k98});
  s.push_back({91, "rename", {Raw(kHKCR, kBinFolder, "Attributes", {0x50, 0x01, 0x00, 0x20}), Dw(kHKCR, kBinFolder, "CallForAttributes", 0)}});
  s.push_back({91, "both", {Raw(kHKCR, kBinFolder, "Attributes", {0x70, 0x01, 0x00, 0x20}), Dw(kHKCR, kBinFolder, "CallForAttributes", 0)}});
  OnOff(s, 92, kHKCU, kAdvanced, "ShowInfoTip");
  s.push_back({93, "names", {ExSz(kHKCR, kMyComputer, "LocalizedString", "%USERNAME% on %COMPUTERNAME%")}});
  s.push_back({93, "my computer", {ExSz(kHKCR, kMyComputer, "LocalizedString", "My Computer")}});
  OnOff(s, 94, kHKCU, kDesktop, "PaintDesktopVersion");
  return s;
}

}  // namespace

const std::vector<StoredState>& AppearanceStates() {
  static const std::vector<StoredState> states = BuildAppearance();
  return states;
}

std::vector<Rewrite> AppearanceRewrites() {
  return {
      {{54, "unlisted delay", {Sz(kHKCU, kDesktop, "MenuShowDelay", "100")}}, "a delay the items do not hold is written as \"0\""},
      {{65, "32 bit", {Sz(kHKCU, kMetrics, "Shell Icon BPP", "32")}}, "a depth the items do not hold is written as \"24\""},
      {{61, "other icon", {Sz(kHKCR, "Paint.Picture\\DefaultIcon", "", "mspaint.exe,1")}}, "any icon but \"%1\" shows unchecked, which writes \"shimgvw.dll,1\""},
      {{62, "literal folder", {Sz(kHKCU, kBinIcon, "", "C:\\WINDOWS\\System32\\shell32.dll,31")}},
       "the Windows folder is stored as \"%SystemRoot%\", and the values shown empty are written empty"},
      {{62, "expandable", {ExSz(kHKCU, kBinIcon, "", "%SystemRoot%\\System32\\shell32.dll,31"),
                           Sz(kHKCU, kBinIcon, "Empty", "%SystemRoot%\\System32\\shell32.dll,31"),
                           Sz(kHKCU, kBinIcon, "Full", "%SystemRoot%\\System32\\shell32.dll,32")}},
       "the icons are written as REG_SZ"},
      {{72, "roots disagree", {Dw(kHKCU, kExplorer, "ThumbnailSize", 96), Dw(kHKLM, kExplorer, "ThumbnailSize", 120)}},
       "the page shows the current user's numbers and writes them to both roots"},
      {{75, "other handler", {Sz(kHKCR, kPreview, "", "{00000000-0000-0000-0000-000000000000}")}},
       "any other handler shows checked, which removes it"},
      {{75, "upper case", {Sz(kHKCR, kPreview, "", "{E84FDA7C-1D6A-45F6-B725-CB260C236066}")}},
       "the handler is written in lower case"},
      {{76, "roots disagree", {Dw(kHKCU, kComdlg, "NoPlacesBar", 1), Dw(kHKLM, kComdlg, "NoPlacesBar", 0)}},
       "one box writes both roots"},
  };
}

const std::vector<StoredState>& DesktopStates() {
  static const std::vector<StoredState> states = BuildDesktop();
  return states;
}

std::vector<Rewrite> DesktopRewrites() {
  return {
      {{83, "unlisted", {Dw(kHKCR, kFirstIcon, "SortOrderIndex", 60)}}, "no selection writes 84"},
      {{85, "empty Explorer", {KeyOnly(kHKCU, kPolicies)}}, "\"Explorer\" is created below \"Policies\" to remove the value in"},
      {{86, "empty Explorer", {KeyOnly(kHKLM, kPolicies)}, win::k2000}, "\"Explorer\" is created below \"Policies\" to remove the value in"},
      {{87, "empty Explorer", {KeyOnly(kHKCU, kPolicies), KeyOnly(kHKLM, kPolicies)}}, "\"Explorer\" is created below \"Policies\" to remove the value in"},
      {{90, "other bits", {Dw(kHKCU, kDocsNt, "Attributes", 0x00100000), Dw(kHKLM, kDocsNt, "Attributes", 0x40)}},
       "the attributes are written whole: only the hidden bit is shown"},
      {{91, "other bits", {Raw(kHKCR, kBinFolder, "Attributes", {0x50, 0x00, 0x00, 0x00}), Dw(kHKCR, kBinFolder, "CallForAttributes", 0)}},
       "only the first byte is shown; the other three are written as 01 00 20"},
      {{93, "other text", {ExSz(kHKCR, kMyComputer, "LocalizedString", "Computer")}}, "any other name shows unchecked, which writes \"My Computer\""},
  };
}

}  // namespace corvandel
