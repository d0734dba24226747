// What the panels send the instrument, as one table: each row starts the
// program live on the simulated mainframe, through discovery and the driver
// DLL, does one operator action on one control and checks the exact traffic,
// the message boxes, the instrument's state and what the panel then shows.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "res/resource.h"
#include "tests/support/live_panel_test.h"
#include "tests/support/operator_action.h"
#include "tests/support/panel_driver.h"
#include "tests/support/panel_test.h"

namespace {

using Lines = std::vector<std::string>;

struct CLiveRow {
  const char* m_name;
  UINT m_panel;  // the Panels menu command
  int m_control;
  CAction m_action;
  Lines m_traffic{};           // the whole traffic of the action, in order
  bool m_writesOnly = false;   // m_traffic holds only the messages written
  std::string m_typed{};       // typed into the control before the action, not sent
  std::string m_fault{};       // a line added to the Q3207's configuration
  Lines m_boxes{};             // the message boxes
  std::pair<std::string, std::string> m_state{};  // the instrument's state afterwards
  std::pair<int, std::string> m_shows{};           // control -> what it shows afterwards

  CLiveRow& Traffic(Lines lines) { m_traffic = std::move(lines); return *this; }
  CLiveRow& Writes(Lines lines) { m_writesOnly = true; return Traffic(std::move(lines)); }
  CLiveRow& Typed(std::string text) { m_typed = std::move(text); return *this; }
  CLiveRow& Fault(std::string line) { m_fault = std::move(line); return *this; }
  CLiveRow& Boxes(Lines texts) { m_boxes = std::move(texts); return *this; }
  CLiveRow& State(std::string key, std::string value) { m_state = {key, value}; return *this; }
  CLiveRow& Shows(int id, std::string text) { m_shows = {id, std::move(text)}; return *this; }
  CLiveRow& Shows(std::string text) { return Shows(m_control, std::move(text)); }
};

CLiveRow Row(const char* name, UINT panel, int control, CAction action) {
  return {name, panel, control, std::move(action)};
}

void PrintTo(const CLiveRow& row, std::ostream* out) { *out << row.m_name; }

Lines Sent(const std::string& set) { return {TrafficLine("write", set), TrafficLine("stb", "0")}; }
Lines Refused(const std::string& set, const std::string& query) {
  return {set, "SYST:ERR?", "SYST:ERR?", query};
}
// A mode switched on, and the modes read again (then `rereads`).
Lines ModesReadAfter(const std::string& set, const Lines& rereads = {}) {
  Lines writes = {set, "FUNC?", "FREQ?", "AM:STAT?", "FM:STAT?", "SWE:STAT?", "BM:STAT?", "FSK:STAT?"};
  writes.insert(writes.end(), rereads.begin(), rereads.end());
  return writes;
}
const Lines kOutOfRange = {"Instrument reports error: -222  Data out of range"};

const CLiveRow kRows[] = {
    Row("AmDepthAboveMax", ID_PANELS_AM, IDC_AM_DEPTH, Enter("150"))
        .Traffic(SetAndReadBack("AM:DEPT 120", "AM:DEPT?", "+1.20000000000000E+02"))
        .State("am.depth", "120").Shows("120 %"),
    // Released arrows send what the field shows, which the instrument refuses:
    // its error, then its value.
    Row("AmFreqRefused", ID_PANELS_AM, IDC_AM_FREQ, Released(IDC_AM_FREQ_SPIN, 1))
        .Typed("0").Boxes(kOutOfRange).Writes(Refused("AM:INT:FREQ 0", "AM:INT:FREQ?"))
        .State("am.freq", "100").Shows("100 Hz"),
    Row("BmRateRefused", ID_PANELS_BM, IDC_BM_RATE, Released(IDC_BM_RATE_SPIN, 1))
        .Typed("0").Boxes(kOutOfRange).Writes(Refused("BM:INT:RATE 0", "BM:INT:RATE?"))
        .State("bm.rate", "100").Shows("100 Hz"),
    // A negative deviation stepped up stays negative.
    Row("FmDevRefused", ID_PANELS_FM, IDC_FM_DEV, Released(IDC_FM_DEV_SPIN, 1))
        .Typed("-100").Boxes(kOutOfRange).Writes(Refused("FM:DEV -90", "FM:DEV?"))
        .State("fm.dev", "100").Shows("100 Hz"),
    Row("FmStateOn", ID_PANELS_FM, IDC_FM_STATE, kClick)
        .Writes(ModesReadAfter("FM:STAT ON", {"FM:INT:FREQ?", "FM:DEV?"}))
        .State("fm.state", "1").Shows(IDC_FM_FREQ, "100 Hz"),
    Row("BmCountInf", ID_PANELS_BM, IDC_BM_COUNT, Enter("INF"))
        .Traffic(SetAndReadBack("BM:NCYC INF", "BM:NCYC?", "+9.90000000000000E+37"))
        .Shows("INF Cycles"),
    Row("BmCount", ID_PANELS_BM, IDC_BM_COUNT, Enter("12"))
        .Writes({"BM:NCYC 12", "BM:NCYC?"}).State("bm.count", "12").Shows("12 Cycles"),
    Row("BmTrigSource", ID_PANELS_BM, IDC_BM_TRIG_SOURCE, Choose(6))
        .Writes({"TRIG:SOUR TTLT3", "TRIG:SOUR?"}).State("trig.source", "6").Shows("TTLT3"),
    Row("BmBusTrigger", ID_PANELS_BM, IDC_BM_BUS_TRIGGER, kClick)
        .Traffic({TrafficLine("trigger", ""), TrafficLine("stb", "0")}).State("triggers", "1"),
    // A count lost on the way is reported, and the carrier and the count are read again.
    Row("BmCountLost", ID_PANELS_BM, IDC_BM_COUNT, Released(IDC_BM_COUNT_SPIN, 1))
        .Fault("timeout-on BM:NCYC\n").Typed("4").Boxes({"Time Out !"})
        .Traffic({TrafficLine("timeout", "BM:NCYC 5"), TrafficLine("clear", ""),
                  TrafficLine("write", "FREQ?"), TrafficLine("read", "+1.00000000000000E+03"),
                  TrafficLine("stb", "0"), TrafficLine("write", "BM:NCYC?"),
                  TrafficLine("read", "+1.00000000000000E+00"), TrafficLine("stb", "0")})
        .Shows("1 Cycles"),
    Row("SweepStart", ID_PANELS_SWEEP, IDC_SWEEP_START, Enter("200"))
        .Traffic(SetAndReadBack("FREQ:STAR 200", "FREQ:STAR?", "+2.00000000000000E+02"))
        .State("swe.start", "200"),
    Row("SweepStop", ID_PANELS_SWEEP, IDC_SWEEP_STOP, Enter("20k"))
        .Writes({"FREQ:STOP 20000", "FREQ:STOP?"}).State("swe.stop", "20000"),
    Row("SweepTime", ID_PANELS_SWEEP, IDC_SWEEP_TIME, Enter("50m"))
        .Writes({"SWE:TIME 0.05", "SWE:TIME?"}).State("swe.time", "0.050000000000000003")
        .Shows("50 mS"),
    Row("SweepSpacing", ID_PANELS_SWEEP, IDC_SWEEP_SPACING, Choose(1))
        .Traffic(Sent("SWE:SPAC LOG")).State("swe.spacing", "1"),
    Row("SweepTrigSource", ID_PANELS_SWEEP, IDC_SWEEP_TRIG_SOURCE, Choose(2))
        .Traffic(Sent("TRIG:SOUR BUS")).State("trig.source", "2"),
    Row("SweepSlope", ID_PANELS_SWEEP, IDC_SWEEP_SLOPE, kClick)
        .Traffic(SetAndReadBack("TRIG:SLOP NEG", "TRIG:SLOP?", "NEG")).State("trig.slope", "0"),
    Row("SweepStateOn", ID_PANELS_SWEEP, IDC_SWEEP_STATE, kClick)
        .Writes(ModesReadAfter("SWE:STAT ON")).State("swe.state", "1"),
    Row("FskFreq", ID_PANELS_FSK, IDC_FSK_FREQ, Enter("2k"))
        .Writes({"FSK:FREQ 2000", "FSK:FREQ?"}).State("fsk.freq", "2000").Shows("2 kHz"),
    Row("FskRate", ID_PANELS_FSK, IDC_FSK_RATE, Enter("50"))
        .Writes({"FSK:INT:RATE 50", "FSK:INT:RATE?"}).State("fsk.rate", "50").Shows("50 Hz"),
    Row("FskSource", ID_PANELS_FSK, IDC_FSK_SOURCE, Choose(1))
        .Traffic(Sent("FSK:SOUR EXT")).State("fsk.source", "1"),
    Row("FskTrigSource", ID_PANELS_FSK, IDC_FSK_TRIG_SOURCE, Choose(4))
        .Traffic(Sent("TRIG:SOUR TTLT3")).State("trig.source", "6"),
    Row("FskStateOn", ID_PANELS_FSK, IDC_FSK_STATE, kClick)
        .Writes(ModesReadAfter("FSK:STAT ON")).State("fsk.state", "1"),
};

class LiveTable : public CLivePanelTest, public ::testing::WithParamInterface<CLiveRow> {};

TEST_P(LiveTable, Row) {
  const CLiveRow& row = GetParam();
  if (!row.m_fault.empty()) {
    ASSERT_TRUE(mainframe.Configure((kSimulatedQ3207 + row.m_fault).c_str()));
  }
  Open(row.m_panel);
  if (!row.m_typed.empty()) TypeInto(panel, row.m_control, row.m_typed);
  Perform(panel, row.m_control, row.m_action);

  EXPECT_EQ(boxes.Texts(), row.m_boxes);
  EXPECT_EQ(row.m_writesOnly ? TakeWrites() : mainframe.TakeTraffic(), row.m_traffic);
  if (!row.m_state.first.empty()) {
    EXPECT_EQ(mainframe.StateOf(row.m_state.first), row.m_state.second);
  }
  if (row.m_shows.first != 0) {
    EXPECT_EQ(ShownIn(panel, row.m_shows.first), row.m_shows.second);
  }
}

INSTANTIATE_TEST_SUITE_P(Panels, LiveTable, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.m_name); });

using FskLive = CLivePanelTestOf<ID_PANELS_FSK>;

TEST_F(FskLive, ABusTriggerSourceIsReadBackAsExternal) {
  app.Command(ID_PANELS_SWEEP);
  ChooseItem(app.Panel(), IDC_SWEEP_TRIG_SOURCE, 2);  // BUS, which the FSK list lacks
  app.Command(ID_PANELS_FSK);
  panel = app.Panel();
  EXPECT_EQ(SelectedItem(panel, IDC_FSK_TRIG_SOURCE), 0);
  ::SendDlgItemMessageA(panel, IDC_FSK_TRIG_SOURCE, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  mainframe.ClearTraffic();
  {
    CAltKeyHeld alt;
    OpenList(panel, IDC_FSK_TRIG_SOURCE);
  }
  EXPECT_EQ(mainframe.TakeTraffic(),
            (Lines{TrafficLine("write", "TRIG:SOUR?"), TrafficLine("read", "BUS"),
                   TrafficLine("stb", "0")}));
  EXPECT_EQ(SelectedItem(panel, IDC_FSK_TRIG_SOURCE), 0);
  EXPECT_EQ(mainframe.StateOf("trig.source"), "2");
}

}  // namespace
