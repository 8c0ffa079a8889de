// The handler of one category: its load routines (argument: the routine's own
// TweakId) and apply routines (acting on the current tweak), keyed by
// TweakId. A category's or group's load routine is its overview.
#pragma once

#include <span>

#include "nav/tree_model.h"
#include "nav/tweak_context.h"

namespace corvandel {

struct TweakRoutines {
  int tweakId;
  void (*load)(TweakContext& ctx, int tweakId);
  void (*apply)(TweakContext& ctx);  // nullptr: the tweak cannot be applied
};

class CCategoryTweaks {
 public:
  CCategoryTweaks(Category category, std::span<const TweakRoutines> routines)
      : category_(category), routines_(routines) {}

  Category category() const { return category_; }
  // Runs the load routine of tweakId; false when this handler has none.
  bool Load(TweakContext& ctx, int tweakId) const;
  // Runs the apply routine of tweakId; false when this handler has none.
  bool Apply(TweakContext& ctx, int tweakId) const;
  // The routines of one tweak, or nullptr.
  const TweakRoutines* Find(int tweakId) const;

 private:
  Category category_;
  std::span<const TweakRoutines> routines_;
};

}  // namespace corvandel
