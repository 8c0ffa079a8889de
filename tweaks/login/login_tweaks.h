// The Login and Authentication tweaks that fit none of the shapes as they
// stand: several values of one page, a key chosen by the Windows version, a
// path cleaned before it is stored, a colour written to three keys.
#pragma once

#include "nav/tweak_context.h"
#include "pages/page_handlers.h"
#include "pages/page_host.h"

namespace corvandel {

// Automatic Login to Windows NT 2000 and XP (158).
void LoadAutomaticLogin(TweakContext& ctx, int tweakId);
void ApplyAutomaticLogin(TweakContext& ctx);

// Change the Default login Screen Saver (159). Its box enables the file and
// time-out rows.
inline constexpr int kScreenSaverRows[] = {control::kEdit1, control::kEdit2, control::kBrowse1};
inline constexpr PageBehaviour kLoginScreenSaverPage{Browse::kFile,
                                                     {page::kEditCheck, control::kCheck1, kScreenSaverRows}};
void LoadLoginScreenSaver(TweakContext& ctx, int tweakId);
void ApplyLoginScreenSaver(TweakContext& ctx);

// Change the login Screen Background Color (161).
void LoadLoginScreenColor(TweakContext& ctx, int tweakId);
void ApplyLoginScreenColor(TweakContext& ctx);

// Change the Login Screen Wallpaper (162).
void LoadLoginWallpaper(TweakContext& ctx, int tweakId);
void ApplyLoginWallpaper(TweakContext& ctx);

// Force the Use of Automatic Login (168).
void LoadForceAutoLogon(TweakContext& ctx, int tweakId);
void ApplyForceAutoLogon(TweakContext& ctx);

// Hide the Last User Name (169).
void LoadHideLastUserName(TweakContext& ctx, int tweakId);
void ApplyHideLastUserName(TweakContext& ctx);

// Legal Notice Dialog Box Before login (171).
void LoadLegalNotice(TweakContext& ctx, int tweakId);
void ApplyLegalNotice(TweakContext& ctx);

// Limit the Number of Automatic Logins (172).
void LoadAutoLogonCount(TweakContext& ctx, int tweakId);
void ApplyAutoLogonCount(TweakContext& ctx);

}  // namespace corvandel
