#include "tweaks/appearance/appearance.h"

#include "tweaks/appearance/appearance_tweaks.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

namespace {

using namespace keys;

constexpr const char* kWindowMetrics = "Control Panel\\Desktop\\WindowMetrics";
constexpr const char* kColorsKey = "Control Panel\\Colors";
constexpr const char* kRecycleBinIcon =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";
constexpr const char* kDirectDraw = "SOFTWARE\\Microsoft\\DirectDraw";
constexpr const char* kImagePreview = "SystemFileAssociations\\image\\ShellEx\\ContextMenuHandlers\\ShellImagePreview";
constexpr const char* kImagePreviewHandler = "{e84fda7c-1d6a-45f6-b725-cb260c236066}";

constexpr const char* kPaintIcon = "Paint.Picture\\DefaultIcon";

constexpr const char* kRestartOrLogOff = "Note:\n\tRestart or log off Windows for the change to take effect.";
constexpr const char* kLogOffOrRestart = "Note:\n\tLog off or restart Windows for the change to take effect.";
constexpr const char* kRestartOrLogoffChanges = "Note:\n\tRestart or logoff Windows for the changes to take effect.";
constexpr const char* kExitAndLogOff = "Note:\n\tExit your registry and log off for the changes to take effect.";

using enum CheckedWhen;
using enum RecordPoint;

// clang-format off

// Check boxes (1013).
constexpr CheckData kThumbnailIcon = Writes(Text("%1"), Text("shimgvw.dll,1"));
constexpr CheckData kPreviewOff = Writes(DeletedInKey(), TextAnyCase(kImagePreviewHandler));

constexpr CheckRow kCheckBoxes[] = {
  //id root   key                     value              writes          checked      gate     history  note              caption
  {56, kHKCU, Opened(kWindowMetrics), "MinAnimate",      kTextFlag,      kOn,         kNoGate, kAtGate, nullptr,          "Animate Windows when Minimizing and Maximizing.",             nullptr},
  {57, kHKCU, Opened(kDesktop),       "DragFullWindows", kTextFlag,      kOn,         kNoGate, kAtGate, kRestartOrLogOff, "Display the Contents of Moving Windows.",                     nullptr},
  {61, kHKCR, Opened(kPaintIcon),     "",                kThumbnailIcon, kOn,         kNoGate, kAtGate, nullptr,          "Show a Thumbnail of each Bitmap File as its Icon.",           nullptr},
  {67, kHKCU, Opened(kWindowMetrics), "IconTitleWrap",   kTextFlag,      kOn,         kNoGate, kAtGate, NOTE_LOGOUT_CAP,  "The Icon Titles should be Word Wrapped over Multiple Lines.", nullptr},
  {73, kHKCU, Opened(kDesktop),       "SmoothScroll",    kDirect,        kOnOrAbsent, kNoGate, kAtGate, kLogOffOrRestart, "Use Smooth Scrolling.",                                       nullptr},
  {75, kHKCR, Opened(kImagePreview),  "",                kPreviewOff,    kUnlessOff,  kXp2004, kAtGate, NOTE_LOGOUT_CAP,  "Disable Image Preview",                                       nullptr},
  {77, kHKCU, Opened(kAdvanced),      "ShowCompColor",   kRaw,           kOn,         kNt2004, kAtGate, kRestartOrLogOff, "Show Compressed Files In Alternate Color.",                   nullptr},
};

constexpr CheckItem kDirectDrawSwitches[] = {
  {1013, "DisableAGPSupport",    kRaw, "Disable AGP support"},
  {1018, "DisableMMX",           kRaw, "Disable MMX processor extensions "},
  {1028, "DisableWiderSurfaces", kRaw, "Disable Wider Surfaces support "},
  {1032, "DisableInactivate",    kRaw, "Disable dual-head video card debugging "},
  {1033, "EnablePrintScreen",    kRaw, "Enable Print Screen capture "},
  {1034, "ModeXOnly",            kRaw, "Use Mode-X for older video cards "},
  {1035, "ShowFrameRate",        kRaw, "Display the frame rate (if supported) "},
  {1036, "DisableNoSysLock",     kRaw, "Disable long-duration locks on video memory "},
  {1037, "ForceNoSysLock",       kRaw, "Force use of long-duration locks on video memory "},
  {1038, "EmulationOnly",        kRaw, "Enable software emulation layer for older video cards "},
};

constexpr CheckListRow kCheckLists[] = {
  //id root   key                  checked gate       history  note     boxes
  {74, kHKLM, Opened(kDirectDraw), kOn,    k98Me2015, kAtGate, nullptr, kDirectDrawSwitches},
};

constexpr ComboItem kMenuAlignments[] = {{"Left Alignment", Text("0")}, {"Right Alignment", Text("1")}};
constexpr ComboItem kMenuDelays[] = {
  {"0", Text("0")}, {"200", Text("200")}, {"400", Text("400")}, {"800", Text("800")}, {"999", Text("999")},
};
constexpr ComboItem kPersonalizedMenus[] = {{"No", Text("No")}, {"Yes", Text("Yes")}};
constexpr ComboItem kSmoothingModes[] = {{"Disabled", Dword(0)}, {"Standard", Dword(1)}, {"ClearType", Dword(2)}};
constexpr ComboItem kIconDepths[] = {
  {"16 Colors (4 bit)", Text("4")}, {"256 Colors (8 bit)", Text("8")},
  {"High Color (16 bit)", Text("16")}, {"True Color (24 bit)", Text("24")},
};

// Combo boxes (label 1014, combo 1021): item 0 where nothing is stored.
constexpr ComboLoad kFirstUnlessOther{0, 0, kNoItem};  // a value no item stands for shows no selection
constexpr ComboLoad kFirstItem{0, 0, 0};               // any other value shows item 0

constexpr ComboRow kCombos[] = {
  //id root   key                     value                items               load               no selection gate     history  note              label
  {53, kHKCU, Opened(kDesktop),       "MenuDropAlignment", kMenuAlignments,    kFirstItem,        Text("0"),   kNoGate, kAtGate, kRestartOrLogoffChanges, "Change the Alignment of Drop-Down Menus:", nullptr},
  {54, kHKCU, Opened(kDesktop),       "MenuShowDelay",     kMenuDelays,        kFirstUnlessOther, Text("0"),   kNoGate, kAtGate, nullptr,          "Menu Show Delay (Milliseconds):",          nullptr},
  {59, kHKCU, Opened(kAdvanced),      "IntelliMenus",      kPersonalizedMenus, kFirstItem,        Text("No"),  kMe2011, kAtGate, kExitAndLogOff,   "Use Personalized Menus:",                  nullptr},
  {64, kHKCU, Opened(kDesktop),       "FontSmoothingType", kSmoothingModes,    kFirstUnlessOther, Nothing(),   kXp2004, kAtGate, NOTE_LOGOUT_CAP,  "Font Smoothing Mode:",                     nullptr},
  {65, kHKCU, Opened(kWindowMetrics), "Shell Icon BPP",    kIconDepths,        kFirstUnlessOther, Text("24"),  kNoGate, kAtGate, NOTE_LOGOUT_CAP,  "Colors of the Icons:",                     nullptr},
};

constexpr EditRow kEdits[] = {
  //id root   key                     value              type      shown up to written after empty edit      gate     history  browse     note             label
  {63, kHKCU, Opened(kWindowMetrics), "Shell Icon Size", reg::kSz, "",         "",           kSkipWhenEmpty, kNoGate, kAtGate, kNoBrowse, NOTE_LOGOUT_CAP, "Change the Size of Desktop Icons:"},
};

// The Recycle Bin's icons, shown with the Windows folder spelled out and
// stored with "%SystemRoot%"; an empty edit stores the empty text.
constexpr Field kRecycleBinIcons[] = {
  EditField(1014, "Default Icon:", 1015, "",      reg::kSz, kWriteWhenEmpty, 1023, EditForm::kSystemRoot),
  EditField(1019, "Empty Icon:",   1017, "Empty", reg::kSz, kWriteWhenEmpty, 1026, EditForm::kSystemRoot),
  EditField(1020, "Full Icon:",    1025, "Full",  reg::kSz, kWriteWhenEmpty, 1027, EditForm::kSystemRoot),
};

constexpr FieldsRow kFields[] = {
  //id page              root   key                      gate     history  note             fields            browse
  {62, page::kEditCheck, kHKCU, Opened(kRecycleBinIcon), kNoGate, kAtGate, NOTE_LOGOUT_CAP, kRecycleBinIcons, Browse::kIcon},
};

// Colour combo 1055.
constexpr ColorRow kColors[] = {
  //id root   key                 value                 form                 gate     history  note                label
  {68, kHKCU, Opened(kColorsKey), "HotTrackingColor",   ColorForm::kRgbText, kNoGate, kAtGate, nullptr,            "the Color of Active File and Folder Links(RGB):"},
  {69, kHKCU, Opened(kExplorer),  "AltColor",           ColorForm::kBinary,  kNt2002, kAtGate, NOTE_RESTART_NODOT, "the Color of Compressed File or Folder(RGB):"},
  {70, kHKCU, Opened(kExplorer),  "AltEncryptionColor", ColorForm::kBinary,  kXp2004, kAtGate, NOTE_RESTART_NODOT, "the Color of Encrypted File or Folder(RGB):"},
};

// Tweaks with routines of their own.
constexpr std::array<TweakRoutines, 5> kOwnRoutines = {{
  {58, LoadCaptionButtonTips, ApplyCaptionButtonTips},
  {66, LoadFontSmoothing,     ApplyFontSmoothing},
  {71, LoadWallpaperPosition, ApplyWallpaperPosition},
  {72, LoadThumbnailSettings, ApplyThumbnailSettings},
  {76, LoadFileDialogOptions, ApplyFileDialogOptions},
}};

// clang-format on

constexpr auto kRoutines =
    JoinRoutines(RoutinesOf<kCheckBoxes>(), RoutinesOf<kCheckLists>(), RoutinesOf<kCombos>(), RoutinesOf<kEdits>(),
                 RoutinesOf<kFields>(), RoutinesOf<kColors>(), kOwnRoutines);

}  // namespace

std::span<const TweakRoutines> AppearanceRoutines() { return kRoutines; }

}  // namespace corvandel
