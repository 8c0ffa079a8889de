// The registry cases every implementation of IRegistry must pass. A side gives
// a fresh registry per case whose four roots hold nothing but
// HKEY_USERS\.DEFAULT, and says where it departs from Windows on purpose or
// runs on Wine, whose registry departs from Windows in a few points that the
// cases name.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "services/registry.h"

namespace corvandel {

struct RegistrySide {
  const char* name;
  std::unique_ptr<IRegistry> (*make)();
  // RegSetValueExA stores the zero that directly follows text written without
  // it (it reads past the count it is given).
  bool takesZeroAfterText;
  bool (*onWine)();  // null for a side that never runs on Wine
};

class RegistryConformance : public testing::TestWithParam<RegistrySide> {
 protected:
  void SetUp() override { registry_ = GetParam().make(); }
  void TearDown() override { registry_.reset(); }
  IRegistry& Reg() { return *registry_; }
  bool OnWine() const { return GetParam().onWine && GetParam().onWine(); }
  bool TakesZeroAfterText() const { return GetParam().takesZeroAfterText; }

 private:
  std::unique_ptr<IRegistry> registry_;
};

inline void PrintTo(const RegistrySide& side, std::ostream* os) { *os << side.name; }
inline std::string RegistrySideName(const testing::TestParamInfo<RegistrySide>& info) { return info.param.name; }

}  // namespace corvandel
