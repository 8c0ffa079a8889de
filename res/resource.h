// Resource IDs shared by the .rc script and the C++ code. The names carry an
// IDR_/IDD_/IDS_ prefix of their own so that none collides with <winuser.h>.
#pragma once

#define IDR_APP_ICON 128
#define IDD_MAIN_WINDOW 102
#define IDS_ABOUT_MENU 101

// The main window's controls: the splitter bar's place (the bar replaces it),
// the skin engine's place, the Apply button, the tree and the splash.
#define IDC_SPLITTER_PLACE 1053
#define IDC_SKIN_ENGINE 1057
#define IDC_APPLY_CHANGES 1016
#define IDC_NAV_TREE 1004
#define IDC_SPLASH 1062
// Made at run time: the quiet line beside "Apply Changes" saying what an apply did.
#define IDC_APPLY_STATUS 1069

// The About box (template 100).
#define IDD_ABOUT_BOX 100
#define IDC_ABOUT_TEXT 1064
#define IDC_ABOUT_SECOND_LINE 1065
#define IDC_ABOUT_VERSION 1066

// The "Find Tweak" box (template 103): the words and what the search found.
#define IDD_FIND_TWEAK 103
#define IDC_FIND_TEXT 1067
#define IDC_FIND_STATUS 1068
