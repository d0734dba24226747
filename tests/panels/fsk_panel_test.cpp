#include "panels/fsk_panel.h"

#include <gtest/gtest.h>

#include <utility>

#include "res/resource.h"
#include "tests/support/panel_driver.h"
#include "tests/support/panel_test.h"

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

using FskPanel = CPanelTestOf<ID_PANELS_FSK>;

TEST_F(FskPanel, ShowsTheRememberedSettings) {
  EXPECT_EQ(PlateText(IDC_FSK_TITLE), "Frequency Shift Keying Panel");
  EXPECT_EQ(Text(IDC_FSK_FREQ), "100 Hz");
  EXPECT_EQ(Text(IDC_FSK_RATE), "10 Hz");
  EXPECT_EQ(ToggleCaption(IDC_FSK_STATE), "Off");
  EXPECT_EQ(Items(IDC_FSK_SOURCE), (Calls{"Internal", "Trigger Source"}));
  EXPECT_EQ(Items(IDC_FSK_TRIG_SOURCE), (Calls{"External", "TTLT0", "TTLT1", "TTLT2", "TTLT3",
                                               "TTLT4", "TTLT5", "TTLT6", "TTLT7"}));
  EXPECT_EQ(SelectedItem(panel, IDC_FSK_SOURCE), 0);
  EXPECT_EQ(SelectedItem(panel, IDC_FSK_TRIG_SOURCE), 0);  // Immediate shows as External
  EXPECT_EQ(FocusedId(), IDC_FSK_FREQ);  // the panel opens on its first control
  Redisplay();
  EXPECT_EQ(FocusedId(), IDC_FSK_TITLE);  // a redisplay gives the focus to the title
}

TEST_F(FskPanel, TriggerSourcesShowAsTheirItem) {
  const std::pair<int16_t, int> shown[] = {{2, 0}, {3, 1}, {8, 6}, {10, 8}, {11, -1}};
  for (auto [code, item] : shown) {
    instrument->m_trigSource = code;
    Redisplay();
    EXPECT_EQ(SelectedItem(panel, IDC_FSK_TRIG_SOURCE), item) << "code " << code;
  }
}

TEST_F(FskPanel, ChoosingATriggerItemSendsItsSourceWithoutReadBack) {
  ChooseItem(panel, IDC_FSK_TRIG_SOURCE, 6);
  EXPECT_EQ(instrument->Take(), Calls{"SetTrigSource(8)"});
  EXPECT_EQ(ItemText(panel, IDC_FSK_TRIG_SOURCE, 6), "TTLT5");
  ChooseItem(panel, IDC_FSK_TRIG_SOURCE, 0);
  EXPECT_EQ(instrument->Take(), Calls{"SetTrigSource(1)"});
  ChooseItem(panel, IDC_FSK_TRIG_SOURCE, 8);
  EXPECT_EQ(instrument->Take(), Calls{"SetTrigSource(10)"});
  ChooseItem(panel, IDC_FSK_TRIG_SOURCE, -1);
  EXPECT_EQ(instrument->Take(), Calls{"SetTrigSource(1)"});
}

TEST_F(FskPanel, HopFrequencyAndRateAreClamped) {
  EnterValue(panel, IDC_FSK_FREQ, "20M");
  EXPECT_EQ(instrument->Take(), (Calls{"SetFskFreq(15000000)", "GetFskFreq(1)"}));
  EXPECT_EQ(Text(IDC_FSK_FREQ), "15 MHz");
  EnterValue(panel, IDC_FSK_FREQ, "0");
  EXPECT_EQ(instrument->Take(), (Calls{"SetFskFreq(0.01)", "GetFskFreq(1)"}));
  EnterValue(panel, IDC_FSK_RATE, "100k");
  EXPECT_EQ(instrument->Take(), (Calls{"GetFskFreq(0)", "SetFskRate(50000)", "GetFskRate(1)"}));
  EXPECT_EQ(Text(IDC_FSK_RATE), "50 kHz");
  EnterValue(panel, IDC_FSK_RATE, "50k");
  EXPECT_EQ(instrument->Take().front(), "SetFskRate(50000)");
  EnterValue(panel, IDC_FSK_RATE, "x");
  EXPECT_EQ(instrument->Take().front(), "SetFskRate(0.01)");
}

TEST_F(FskPanel, RateArrowsStopAtTheMaximum) {
  TypeInto(panel, IDC_FSK_RATE, "40k");
  Spin(panel, IDC_FSK_RATE_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_FSK_RATE), "50 kHz");
  Spin(panel, IDC_FSK_RATE_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_FSK_RATE), "50 kHz");
  Spin(panel, IDC_FSK_RATE_SPIN, SB_ENDSCROLL);
  EXPECT_EQ(instrument->Take(), (Calls{"SetFskRate(50000)", "GetFskRate(1)"}));
}

}  // namespace
