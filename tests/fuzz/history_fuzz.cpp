// The history file: any content, loaded at start-up, looked up and recorded
// into. A recorded tweak's title then carries today's date, and the file
// written is one the next start reads back with the same dates.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "history/change_history.h"
#include "nav/tweak_table.h"
#include "services/platform_fake.h"
#include "services/registry_key.h"
#include "services/registry_memory.h"

using namespace corvandel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int tweakId = data[0] % 310;
  const std::string path = fuzz::WriteScratchFile(
      "DFile.kvd", std::string(reinterpret_cast<const char*>(data) + 1, size - 1));

  MemoryRegistry registry;
  RegistryKey::Create(registry, reg::kCurrentUser, kProgramKey).WriteDword(kHistoryBuiltValue, 1);
  SettablePlatform platform;
  platform.today = {2008, 6, 15};
  const TweakTable table = BuildTweakTable();

  ChangeHistory history(registry, platform, table, path);
  history.Initialise();
  history.LookupModifiedDate(table[0].title);
  history.RecordTweakChange(tweakId);
  const std::string& title = table[static_cast<std::size_t>(tweakId)].title;
  FUZZ_CHECK(history.LookupModifiedDate(title) == "6/15/2008");

  ChangeHistory reopened(registry, platform, table, path);
  reopened.Initialise();
  FUZZ_CHECK(reopened.LookupModifiedDate(title) == "6/15/2008");
  return 0;
}
