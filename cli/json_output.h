// The headless front end's output as JSON (--json), one document per run.
// Texts are the program's ANSI (Windows-1252) text converted to UTF-8; the
// schema is described in README.md.
#pragma once

#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "nav/tree_model.h"
#include "pages/page_host.h"
#include "services/platform_fake.h"

namespace corvandel {

nlohmann::json JsonText(std::string_view ansi);

// The tree: {"nodes": [{"id", "parent", "depth", "kind", "text"}, ...]}.
nlohmann::json TreeJson(const std::vector<TreeItem>& nodes);

// The visible page and the main window's controls, with the message boxes
// shown before it: {"tweakId", "alerts", "page", "controls"}.
nlohmann::json PageJson(int tweakId, const std::vector<SettablePlatform::ShownMessage>& alerts,
                        const IPageHost& pages);

}  // namespace corvandel
