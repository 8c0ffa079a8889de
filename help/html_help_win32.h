// HTML Help, loaded on first use from the registered HTML Help control or
// "hhctrl.ocx" (entry point: ordinal 14, HtmlHelpA). A failed load is not
// tried again.
#pragma once

#include <string>

namespace corvandel {

// HtmlHelpA(NULL, path, HH_DISPLAY_TOPIC, 0); 0 when HTML Help is missing.
void* OpenHelpFile(const std::string& path);

}  // namespace corvandel
