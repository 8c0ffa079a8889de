// The shapes' generic routines on rows that the built categories do not use
// yet, so that later categories can rely on them: a list of check boxes,
// boxes that load checked when nothing is stored, text data, deletion below
// an opened parent, and a single combo that always shows an item.
#include <gtest/gtest.h>

#include "services/reg_conventions.h"
#include "tweak_harness.h"
#include "tweaks/shapes.h"

namespace corvandel {
namespace {

constexpr int kMultiCheck = page::kMultiCheck;

constexpr const char* kDirectDraw = "SOFTWARE\\Microsoft\\DirectDraw";
constexpr const char* kDesktop = "Control Panel\\Desktop";

constexpr CheckItem kDirectDrawBoxes[] = {
    {1013, "DisableAGPSupport", kRaw, "Disable AGP support"},
    {1018, "DisableMMX", kRaw, "Disable MMX processor extensions "},
    {1028, "EmulationOnly", kInverted, "Use hardware acceleration"},
};
constexpr CheckListRow kBoxes{74, kHKLM, Opened(kDirectDraw), CheckedWhen::kOn, {kXp2000Me, 2015, kAlertOnly},
                              RecordPoint::kAtGate, nullptr, kDirectDrawBoxes};

constexpr CheckRow kSmoothScroll{73, kHKCU, Opened(kDesktop), "SmoothScroll", kDirect, CheckedWhen::kOnOrAbsent,
                                 kNoGate, RecordPoint::kAtGate, nullptr, "Use Smooth Scrolling.", nullptr};
constexpr CheckRow kThumbnails{61, kHKCR, Opened("Paint.Picture\\DefaultIcon"), "",
                               Writes(Text("%1"), Text("shimgvw.dll,1")), CheckedWhen::kOn, kNoGate,
                               RecordPoint::kAtGate, nullptr, "View thumbnails", nullptr};
constexpr CheckRow kComputerName{93, kHKCR, Created("CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}"), "LocalizedString",
                                 Writes(ExpandText("%USERNAME% on %COMPUTERNAME%"), ExpandText("My Computer")),
                                 CheckedWhen::kOn, kNoGate, RecordPoint::kAfterOpen, nullptr, "Show names", nullptr};
constexpr CheckRow kContextMenu{85, kPair, OpenedThenCreated("Software\\Microsoft\\Windows\\CurrentVersion\\Policies", "Explorer"),
                                "NoViewContextMenu", Writes(Dword(1), Deleted()), CheckedWhen::kOn, kNoGate,
                                RecordPoint::kAfterOpen, nullptr, "Restrict (Current User).", "Restrict (All Users)."};

constexpr ComboItem kAlignments[] = {{"Left Alignment", Text("0")}, {"Right Alignment", Text("1")}};
constexpr ComboRow kAlignment{53, kHKCU, Opened(kDesktop), "MenuDropAlignment", kAlignments, {0, 0, 0}, Text("0"),
                              kNoGate, RecordPoint::kAtGate, nullptr, "Alignment:", nullptr};

class Shapes : public ::testing::Test {
 protected:
  TweakContext Context(int tweakId) {
    return {h.registry, h.pages, h.platform, h.Nav().GetLanguage(), h.Nav().Table(), h.Nav().History(), columns, tweakId};
  }
  template <typename Row>
  void Load(const Row& row) {
    TweakContext ctx = Context(row.tweakId);
    LoadShape(ctx, row);
  }
  template <typename Row>
  void Apply(const Row& row) {
    h.platform.today = TweakHarness::kApplyDay;
    TweakContext ctx = Context(row.tweakId);
    ApplyShape(ctx, row);
  }

  TweakHarness h;
  ListCheckColumns columns;
};

TEST_F(Shapes, CheckListLoadsAndWritesEachBoxOverItsOwnValue) {
  h.Put({Dw(kHKLM, kDirectDraw, "DisableAGPSupport", 1), Dw(kHKLM, kDirectDraw, "DisableMMX", 0),
         Dw(kHKLM, kDirectDraw, "EmulationOnly", 0)});
  Load(kBoxes);
  EXPECT_EQ("Disable MMX processor extensions ", h.pages.GetText(kMultiCheck, 1018));
  EXPECT_TRUE(h.pages.IsControlVisible(kMultiCheck, 1028));
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1018));
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1028));
  h.pages.SetCheck(kMultiCheck, 1013, 0);
  h.pages.SetCheck(kMultiCheck, 1018, 1);
  h.pages.SetCheck(kMultiCheck, 1028, 0);
  Apply(kBoxes);
  EXPECT_EQ(0u, h.Dword(kHKLM, kDirectDraw, "DisableAGPSupport"));
  EXPECT_EQ(1u, h.Dword(kHKLM, kDirectDraw, "DisableMMX"));
  EXPECT_EQ(1u, h.Dword(kHKLM, kDirectDraw, "EmulationOnly"));
  EXPECT_TRUE(h.Recorded(74));

  h.platform.version = win::k95;
  Apply(kBoxes);
  EXPECT_EQ(1u, h.platform.messages.size());
}

TEST_F(Shapes, OnOrAbsentLoadsCheckedUnlessAnotherValueIsStored) {
  Load(kSmoothScroll);
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));  // no key
  h.Put(KeyOnly(kHKCU, kDesktop));
  Load(kSmoothScroll);
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));  // no value
  h.Put(Dw(kHKCU, kDesktop, "SmoothScroll", 0));
  Load(kSmoothScroll);
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1013));
}

TEST_F(Shapes, TextDataIsComparedExactlyAndWrittenWithItsType) {
  h.Put(Sz(kHKCR, "Paint.Picture\\DefaultIcon", "", "%1"));
  Load(kThumbnails);
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));
  h.pages.SetCheck(kMultiCheck, 1013, 0);
  Apply(kThumbnails);
  EXPECT_EQ("shimgvw.dll,1", h.Text(kHKCR, "Paint.Picture\\DefaultIcon", ""));

  const std::string clsid = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
  h.Put(ExSz(kHKCR, clsid.c_str(), "LocalizedString", "%username% on %computername%"));
  Load(kComputerName);
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1013));
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  Apply(kComputerName);
  EXPECT_EQ("%USERNAME% on %COMPUTERNAME%", h.Text(kHKCR, clsid, "LocalizedString"));
  EXPECT_EQ(reg::kExpandSz, h.Type(kHKCR, clsid, "LocalizedString"));
}

TEST_F(Shapes, DeletingBelowAnOpenedParentCreatesNothingAndRecordsNothing) {
  const std::string policies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
  h.Put({KeyOnly(kHKCU, policies.c_str()), KeyOnly(kHKLM, policies.c_str())});
  const auto before = h.Snapshot();
  Load(kContextMenu);
  Apply(kContextMenu);  // both unchecked: nothing to remove
  EXPECT_EQ(before, h.Snapshot());
  EXPECT_FALSE(h.Recorded(85));

  h.pages.SetCheck(kMultiCheck, 1018, 1);
  Apply(kContextMenu);
  EXPECT_FALSE(h.HasKey(kHKCU, policies + "\\Explorer"));
  EXPECT_EQ(1u, h.Dword(kHKLM, policies + "\\Explorer", "NoViewContextMenu"));
  EXPECT_TRUE(h.Recorded(85));

  h.pages.SetCheck(kMultiCheck, 1018, 0);
  Apply(kContextMenu);
  EXPECT_FALSE(h.HasValue(kHKLM, policies + "\\Explorer", "NoViewContextMenu"));
  EXPECT_TRUE(h.HasKey(kHKLM, policies + "\\Explorer"));
}

TEST_F(Shapes, ComboCanShowAnItemForEveryStoredStateAndWriteOneForNoSelection) {
  struct Case {
    std::vector<SeedValue> stored;
    int selected;
  };
  const Case cases[] = {
      {{}, 0}, {{KeyOnly(kHKCU, kDesktop)}, 0}, {{Sz(kHKCU, kDesktop, "MenuDropAlignment", "1")}, 1},
      {{Sz(kHKCU, kDesktop, "MenuDropAlignment", "right")}, 0},
  };
  for (const Case& c : cases) {
    h.Put(c.stored);
    Load(kAlignment);
    EXPECT_EQ(c.selected, h.pages.ComboGetCurSel(page::kComboCheck, 1021));
  }
  h.pages.ComboSetCurSel(page::kComboCheck, 1021, -1);
  Apply(kAlignment);
  EXPECT_EQ("0", h.Text(kHKCU, kDesktop, "MenuDropAlignment"));
}

}  // namespace
}  // namespace corvandel
