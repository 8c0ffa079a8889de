// The group overviews: selecting a category or a group shows CListCheckPage
// with the node's description and a "Name" / "Data Modified" list of the
// tweaks directly under it, dated from the change history.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "history/change_history.h"
#include "pages/page_host.h"
#include "services/tweak_entry.h"

namespace corvandel {

struct OverviewColumns {
  int nameWidth;  // pixels
  int dateWidth;  // pixels
};
// "Command Processor" and "Explorer" have columns of their own; the rest
// share 295 / 99.
OverviewColumns OverviewColumnWidths(int tweakId);

// List 1007 of CListCheckPage is shared by the overviews and two tweaks that
// put their own columns there; whoever fills it first removes the columns the
// last one added, so the list never gathers stale columns.
class ListCheckColumns {
 public:
  struct Column {
    std::string heading;
    int width;
  };
  // Deletes every item, then the columns added before, then inserts these.
  void Replace(IPageHost& pages, std::initializer_list<Column> columns);
  int count() const { return count_; }

 private:
  int count_ = 0;
};

// Shows the overview of node tweakId: its description, then one row per
// tweak of rows (those directly under it that have a load routine), with the
// row's date.
void ShowOverview(int tweakId, const std::vector<int>& rows, IPageHost& pages, const TweakTable& table,
                  ChangeHistory& history, ListCheckColumns& columns);

// "Title:\nDescription", the text of description field 1006.
std::string DescriptionText(const TweakEntry& row);

}  // namespace corvandel
