// Cases every implementation of the page seam must pass: the in-memory page
// model natively, the real page dialogs under Wine. A side instantiates them:
//   INSTANTIATE_TEST_SUITE_P(Model, PageHostConformance,
//                            ::testing::Values(PageHostSide{"Model", &MakeModel}), PageHostSideName);
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "pages/page_host.h"

namespace corvandel {

struct PageHostSide {
  const char* name;
  // Fresh pages and Apply button, exactly as the templates create them.
  std::unique_ptr<IPageHost> (*make)();
};

std::string PageHostSideName(const ::testing::TestParamInfo<PageHostSide>& info);

class PageHostConformance : public ::testing::TestWithParam<PageHostSide> {
 protected:
  void SetUp() override { pages = GetParam().make(); }

  std::unique_ptr<IPageHost> pages;
};

}  // namespace corvandel
