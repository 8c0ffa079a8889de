// The group overviews: selecting a category or a group shows CListCheckPage
// with the node's description and a "Name" / "Data Modified" list of the
// tweaks directly under it, dated from the change history.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "history/change_history.h"
#include "nav/tweak_entry.h"
#include "pages/page_host.h"

namespace corvandel {

struct Overview {
  int tweakId;             // the category or group
  int nameWidth;           // pixels
  int dateWidth;           // pixels
  std::vector<int> rows;   // TweakIds, in list order
};

// The 28 overviews, in tree order.
std::span<const Overview> Overviews();
// The overview of a node, or nullptr for a node that has none.
const Overview* FindOverview(int tweakId);

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

// Shows the overview of node tweakId (which must have one).
void ShowOverview(const Overview& overview, IPageHost& pages, const TweakTable& table, ChangeHistory& history,
                  ListCheckColumns& columns);

// "Title:\nDescription", the text of description field 1006.
std::string DescriptionText(const TweakEntry& row);

}  // namespace corvandel
