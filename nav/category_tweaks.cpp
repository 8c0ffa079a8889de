#include "nav/category_tweaks.h"

namespace corvandel {

const TweakRoutines* CCategoryTweaks::Find(int tweakId) const {
  if (CategoryOf(tweakId) != category_) return nullptr;
  for (const TweakRoutines& r : routines_)
    if (r.tweakId == tweakId) return &r;
  return nullptr;
}

bool CCategoryTweaks::Load(TweakContext& ctx, int tweakId) const {
  if (CategoryOf(tweakId) != category_ || !HasLoadRoutine(tweakId)) return false;
  if (HasOverview(tweakId)) {
    ShowOverview(tweakId, ctx.pages, ctx.table, ctx.history, ctx.listColumns);
    return true;
  }
  const TweakRoutines* r = Find(tweakId);
  if (!r || !r->load) return false;
  r->load(ctx, tweakId);
  return true;
}

bool CCategoryTweaks::Apply(TweakContext& ctx, int tweakId) const {
  if (!HasApplyRoutine(tweakId)) return false;
  const TweakRoutines* r = Find(tweakId);
  if (!r || !r->apply) return false;
  r->apply(ctx);
  return true;
}

}  // namespace corvandel
