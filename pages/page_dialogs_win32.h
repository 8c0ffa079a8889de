// The nine page dialogs: hidden children of the main window, built from the
// template table, each skinned at initialisation and given its own set-up.
// Everything else a page shows is put there by load routines through the
// page seam (Win32PageHost).
#pragma once

#include <windows.h>


#include "pages/page_handlers.h"
#include "pages/page_host_win32.h"
#include "services/platform.h"
#include "widgets/color_combo_win32.h"

namespace corvandel {

// What a page needs from the window that holds it.
class IPageOwner {
 public:
  virtual ~IPageOwner() = default;
  // What the selected tweak's page does by itself.
  virtual const PageBehaviour& CurrentPage() const = 0;
  // Whether the page shows the overview of a category or group.
  virtual bool ShowsOverview() const = 0;
  virtual IPlatform& Platform() = 0;
  virtual Win32PageHost& PageHost() = 0;
  // The skin engine's SkinElement: 0, or negative on failure.
  virtual int SkinElement(HWND window, const wchar_t* elementName) = 0;
};

class CPageDialog {
 public:
  explicit CPageDialog(int templateId) : templateId_(templateId) {}
  virtual ~CPageDialog();
  CPageDialog(const CPageDialog&) = delete;
  CPageDialog& operator=(const CPageDialog&) = delete;

  // Creates the page hidden inside parent and initialises it. A page whose
  // skin hookup fails says so and ends itself, but its window stays.
  bool Create(HWND parent, IPageOwner& owner);
  HWND window() const { return window_; }
  int templateId() const { return templateId_; }

 protected:
  // Set-up after the skin hookup.
  virtual void SetUp() {}
  // WM_DRAWITEM of an owner-drawn control; false when not handled.
  virtual bool DrawItem(const DRAWITEMSTRUCT&) { return false; }

  IPageOwner& Owner() const { return *owner_; }
  HWND Item(int controlId) const { return GetDlgItem(window_, controlId); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool OnInitDialog();
  bool SkinHookup();
  void OnClicked(int controlId);
  void OnListFocus(HWND list);

  int templateId_;
  IPageOwner* owner_ = nullptr;
  HWND window_ = nullptr;
};

// Group overviews, and tweaks with a check box over a list (template 106).
class CListCheckPage : public CPageDialog {
 public:
  CListCheckPage();
 protected:
  void SetUp() override;
};

// Up to ten check boxes (170).
class CMultiCheckPage : public CPageDialog {
 public:
  CMultiCheckPage();
};

// Two check boxes and three edits with browse buttons (171).
class CEditCheckPage : public CPageDialog {
 public:
  CEditCheckPage();
};

// A check box, two combo rows and the colour picker (172).
class CComboCheckPage : public CPageDialog {
 public:
  CComboCheckPage();
 protected:
  void SetUp() override;
  bool DrawItem(const DRAWITEMSTRUCT& item) override;
 private:
  CColorCombo colors_;
};

// A check list (173).
class CListPage : public CPageDialog {
 public:
  CListPage();
 protected:
  void SetUp() override;
};

// Five label / edit / browse rows (107).
class CEditBrowsePage : public CPageDialog {
 public:
  CEditBrowsePage();
};

// Six label / combo rows (174).
class CMultiComboPage : public CPageDialog {
 public:
  CMultiComboPage();
};

// An edit or a combo, then combo rows (175).
class CEditComboPage : public CPageDialog {
 public:
  CEditComboPage();
};

// A check box and the numbers 0 to 10000, put in on first use (176).
class CSingleComboPage : public CPageDialog {
 public:
  CSingleComboPage();
 protected:
  void SetUp() override;
};

}  // namespace corvandel
