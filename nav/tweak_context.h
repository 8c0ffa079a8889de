// What a load or apply routine reaches: the seams, the language, the titles
// table, the change history and the current selection. Routines own nothing
// beyond the registry handles they open and close within one call.
#pragma once

#include <any>

#include "history/change_history.h"
#include "nav/overviews.h"
#include "pages/page_host.h"
#include "pages/version_gate.h"
#include "services/language.h"
#include "services/platform.h"
#include "services/registry.h"
#include "services/tweak_entry.h"

namespace corvandel {

struct TweakContext {
  IRegistry& registry;
  IPageHost& pages;
  IPlatform& platform;
  const Language& language;
  const TweakTable& table;
  ChangeHistory& history;
  ListCheckColumns& listColumns;  // list 1007 of CListCheckPage
  int currentTweakId = 0;         // the node selected last
  // What a tweak keeps from its load to its apply (the File System's drive
  // choices); nullptr where no navigator keeps it.
  std::any* tweakState = nullptr;
  // Set while the navigator runs an apply: the record waits there until the
  // apply's outcome is known (no date for a change that was refused whole).
  bool* heldRecord = nullptr;

  GateContext Gate() const { return {platform, language, pages}; }
  // Today's date for the selected tweak in the history.
  void RecordTweakChange() {
    if (heldRecord)
      *heldRecord = true;
    else
      history.RecordTweakChange(currentTweakId);
  }
};

}  // namespace corvandel
