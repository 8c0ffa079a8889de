#include "nav/navigator.h"

#include "nav/tree_model.h"
#include "nav/tweak_table.h"
#include "pages/page_reset.h"
#include "services/registry_key.h"
#include "tweaks/catalogue.h"

namespace corvandel {

Navigator::Navigator(IRegistry& registry, IPageHost& pages, IPlatform& platform, IProfile& profile)
    : registry_(registry),
      pages_(pages),
      language_(profile, platform.ProgramFolder()),
      history_(registry, platform, table_, platform.ProgramFolder() + "\\" + kHistoryFileName),
      context_{registry, pages, platform, language_, table_, history_, listColumns_, 0, &driveTable_} {
  for (int i = 0; i < kCategoryCount; ++i) {
    const auto category = static_cast<Category>(i);
    handlers_[static_cast<std::size_t>(i)] = std::make_unique<CCategoryTweaks>(category, CatalogueRoutines(category));
  }
}

void Navigator::LoadTables() {
  if (auto name = RegistryKey::Open(registry_, reg::kCurrentUser, kProgramKey).ReadText(kLanguageValue))
    language_.SetName(*name);
  table_ = BuildTweakTable();
  language_.TranslateTweakTable(table_);
  history_.Initialise();
}

void Navigator::ShowFirstPage() {
  ShowTweakPageNone(pages_);
  if (const CCategoryTweaks* handler = HandlerOf(0)) handler->Load(context_, 0);
}

const CCategoryTweaks& Navigator::Handler(Category category) const {
  return *handlers_[static_cast<std::size_t>(category)];
}

const CCategoryTweaks* Navigator::HandlerOf(int tweakId) const {
  auto category = CategoryOf(tweakId);
  return category ? &Handler(*category) : nullptr;
}

void Navigator::Select(int tweakId) {
  context_.currentTweakId = tweakId;
  ShowTweakPageNone(pages_);
  if (const CCategoryTweaks* handler = HandlerOf(tweakId)) handler->Load(context_, tweakId);
}

void Navigator::Apply() {
  if (const CCategoryTweaks* handler = HandlerOf(context_.currentTweakId)) handler->Apply(context_, context_.currentTweakId);
}

}  // namespace corvandel
