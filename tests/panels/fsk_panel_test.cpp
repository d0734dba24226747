#include "panels/fsk_panel.h"

#include <gtest/gtest.h>

namespace {

TEST(ExternalOrTtlList, TranslatesBetweenItemsAndTriggerSources) {
  // Immediate, External and BUS show as "External"; TTLTn (code 3 + n) as item 1 + n.
  const int indexOf[] = {0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
  for (int16_t code = 0; code <= 10; ++code)
    EXPECT_EQ(ExternalOrTtlIndex(code), indexOf[code]) << "code " << code;
  const int16_t codeOf[] = {1, 3, 4, 5, 6, 7, 8, 9, 10};
  for (int index = 0; index <= 8; ++index)
    EXPECT_EQ(ExternalOrTtlSource(index), codeOf[index]) << "index " << index;
  EXPECT_EQ(ExternalOrTtlSource(-1), 1);  // no selection sends External
}

}  // namespace
