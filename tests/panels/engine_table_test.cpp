// What every panel does through the shared setting engine, and each panel's
// own facts (texts, limits, steps, re-reads), as one table over the seven
// panels. Each row starts the program afresh on the recording
// instrument, does one operator action on one control and checks the exact
// traffic, the message boxes, the wait cursor and what the panel then shows.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "framework/win32/wait_cursor.h"
#include "instrument/setting_table.h"
#include "res/resource.h"
#include "tests/support/box_watcher.h"
#include "tests/support/operator_action.h"
#include "tests/support/panel_driver.h"
#include "tests/support/panel_test.h"

namespace {

using S = ESetting;
// A remembered value: a number (a choice's code) or a name.
struct CValue {
  ESetting m_setting;
  double m_number;
  std::string m_name{};
};
using Values = std::vector<CValue>;
using Texts = std::vector<std::pair<int, std::string>>;

struct CEngineRow {
  const char* m_name;
  UINT m_panel;  // the Panels menu command
  int m_control;
  CAction m_action;
  Calls m_calls;             // every call of the action, in order
  Values m_shownFirst{};       // remembered and shown before the action
  Values m_held{};             // remembered before the action, not shown
  Texts m_typed{};             // control -> text typed before the action, not sent
  std::vector<std::pair<std::string, int32_t>> m_failures{};  // each fails once
  Calls m_boxes{};             // the message boxes of the failures
  Texts m_shows{};             // control -> what it shows afterwards
  std::vector<std::pair<int, Calls>> m_lists{};  // combo box -> its items
  Values m_kept{};             // remembered afterwards
  int m_focus = 0;           // the control with the focus afterwards (0: not checked)
  std::pair<std::string, int> m_waitAt{};  // a call and the wait cursor's depth at it
  int m_textLimit = 0;       // the typing limit of the control (0: not checked)

  CEngineRow& ShownFirst(Values values) { m_shownFirst = std::move(values); return *this; }
  CEngineRow& Held(Values values) { m_held = std::move(values); return *this; }
  CEngineRow& Typed(Texts texts) { m_typed = std::move(texts); return *this; }
  CEngineRow& Typed(const std::string& text) { return Typed({{m_control, text}}); }
  CEngineRow& FailsWith(const char* operation, int32_t status, const char* box) {
    m_failures.emplace_back(operation, status);
    m_boxes.push_back(box);
    return *this;
  }
  CEngineRow& Failing(const char* operation) { return FailsWith(operation, -1, "API failure."); }
  CEngineRow& TimesOut(const char* operation) {
    return FailsWith(operation, static_cast<int32_t>(0xBFFF0015), "Time Out !");
  }
  CEngineRow& Shows(Texts texts) { m_shows = std::move(texts); return *this; }
  CEngineRow& Shows(const std::string& text) { return Shows({{m_control, text}}); }
  CEngineRow& Lists(int combo, Calls items) { m_lists.emplace_back(combo, std::move(items)); return *this; }
  CEngineRow& Kept(Values values) { m_kept = std::move(values); return *this; }
  CEngineRow& Focus(int id) { m_focus = id; return *this; }
  CEngineRow& WaitDepthAt(const std::string& call, int depth) {
    m_waitAt = {call, depth};
    return *this;
  }
  CEngineRow& TextLimit(int characters) { m_textLimit = characters; return *this; }
};

CEngineRow Row(const char* name, UINT panel, int control, CAction action, Calls calls) {
  return {name, panel, control, std::move(action), std::move(calls)};
}

void PrintTo(const CEngineRow& row, std::ostream* out) { *out << row.m_name; }

void Remember(CInstrument& instrument, const Values& values) {
  for (const CValue& value : values)
    instrument.Remember(SettingRow(value.m_setting), {value.m_number, value.m_name});
}

const Texts kFreshReadOuts = {{IDC_STAT_ERROR_NUMBER, "-"}, {IDC_STAT_ERROR_MESSAGE, "*"},
                              {IDC_STAT_STATUS_BYTE, "*"}, {IDC_STAT_PHASE_LOCK, "*"}};

const Calls kModulations = {"Sinusoid", "Square", "Triangle", "Ramp", "Noise", "User"};
const Calls kTriggerSources = {"Immediate", "External", "BUS",   "TTLT0", "TTLT1", "TTLT2",
                               "TTLT3",     "TTLT4",    "TTLT5", "TTLT6", "TTLT7"};

const CEngineRow kRows[] = {
    // Switching a mode on switches the others off; its state is read back
    // from the modes, also when it was refused.
    Row("AmStateOn", ID_PANELS_AM, IDC_AM_STATE, kClick,
        {"SetAmState(1)", "SyncModes()", "GetAmState(0)"})
        .Held({{S::kFmState, 1}, {S::kFskState, 1}}).Shows("On")
        .Kept({{S::kFmState, 0}, {S::kFskState, 0}}),
    Row("FmStateOn", ID_PANELS_FM, IDC_FM_STATE, kClick,
        {"SetFmState(1)", "SyncModes()", "GetFmFreq(1)", "GetFmDev(1)", "GetFmState(0)"})
        .Held({{S::kBmState, 1}}).Typed({{IDC_FM_FREQ, "3k"}, {IDC_FM_DEV, "4k"}})
        .Shows({{IDC_FM_STATE, "On"}, {IDC_FM_FREQ, "100 Hz"}, {IDC_FM_DEV, "100 Hz"}})
        .Kept({{S::kBmState, 0}}),
    Row("BmStateOn", ID_PANELS_BM, IDC_BM_STATE, kClick,
        {"SetBmState(1)", "SyncModes()", "GetBmState(0)"})
        .Held({{S::kAmState, 1}, {S::kSweepState, 1}}).Shows("On")
        .Kept({{S::kAmState, 0}, {S::kSweepState, 0}, {S::kBmState, 1}}),
    Row("FskStateOn", ID_PANELS_FSK, IDC_FSK_STATE, kClick,
        {"SetFskState(1)", "SyncModes()", "GetFskState(0)"})
        .Held({{S::kAmState, 1}, {S::kSweepState, 1}}).Shows("On")
        .Kept({{S::kAmState, 0}, {S::kSweepState, 0}}),
    Row("SweepStateOn", ID_PANELS_SWEEP, IDC_SWEEP_STATE, kClick,
        {"SetSweepState(1)", "SyncModes()", "GetSweepState(0)"})
        .Held({{S::kFskState, 1}}).Shows("On").Kept({{S::kFskState, 0}}),
    Row("AmStateRefused", ID_PANELS_AM, IDC_AM_STATE, kClick,
        {"SetAmState(1)", "SyncModes()", "GetAmState(0)"})
        .Failing("SetAmState").Shows("Off"),
    Row("FmStateRefused", ID_PANELS_FM, IDC_FM_STATE, kClick,
        {"SetFmState(1)", "SyncModes()", "GetFmFreq(1)", "GetFmDev(1)", "GetFmState(0)"})
        .Failing("SetFmState").Shows("Off"),
    Row("FmStateReReadFails", ID_PANELS_FM, IDC_FM_STATE, kClick,
        {"SetFmState(1)", "SyncModes()", "GetFmFreq(1)"})
        .Failing("GetFmFreq"),
    Row("BmStateRefused", ID_PANELS_BM, IDC_BM_STATE, kClick,
        {"SetBmState(1)", "GetFreq(1)", "SyncModes()", "GetBmState(0)"})
        .Failing("SetBmState").Shows("Off"),
    Row("FskStateRefused", ID_PANELS_FSK, IDC_FSK_STATE, kClick,
        {"SetFskState(1)", "SyncModes()", "GetFskState(0)"})
        .Failing("SetFskState").Shows("Off"),

    // A double click is two changes.
    Row("AmStateDoubleClick", ID_PANELS_AM, IDC_AM_STATE, kDoubleClick,
        {"SetAmState(1)", "SyncModes()", "GetAmState(0)",
         "SetAmState(0)", "SyncModes()", "GetAmState(0)"})
        .Shows("Off"),
    Row("FmStateDoubleClick", ID_PANELS_FM, IDC_FM_STATE, kDoubleClick,
        {"SetFmState(1)", "SyncModes()", "GetFmFreq(1)", "GetFmDev(1)", "GetFmState(0)",
         "SetFmState(0)", "SyncModes()", "GetFmFreq(1)", "GetFmDev(1)", "GetFmState(0)"})
        .Kept({{S::kFmState, 0}}),
    Row("BmStateDoubleClick", ID_PANELS_BM, IDC_BM_STATE, kDoubleClick,
        {"SetBmState(1)", "SyncModes()", "GetBmState(0)",
         "SetBmState(0)", "SyncModes()", "GetBmState(0)"}),
    Row("FskStateDoubleClick", ID_PANELS_FSK, IDC_FSK_STATE, kDoubleClick,
        {"SetFskState(0)", "SyncModes()", "GetFskState(0)",
         "SetFskState(1)", "SyncModes()", "GetFskState(0)"})
        .ShownFirst({{S::kFskState, 1}}).Shows("On"),
    Row("BmSlopeDoubleClick", ID_PANELS_BM, IDC_BM_SLOPE, kDoubleClick,
        {"SetTrigSlope(0)", "GetTrigSlope(1)", "SetTrigSlope(1)", "GetTrigSlope(1)"})
        .Shows("Normal").Kept({{S::kTrigSlope, 1}}),
    Row("SweepSlopeDoubleClick", ID_PANELS_SWEEP, IDC_SWEEP_SLOPE, kDoubleClick,
        {"SetTrigSlope(1)", "GetTrigSlope(1)", "SetTrigSlope(0)", "GetTrigSlope(1)"})
        .ShownFirst({{S::kTrigSlope, 0}}).Shows("Inverted").Kept({{S::kTrigSlope, 0}}),
    Row("MainLoadDoubleClick", ID_PANELS_MAIN, IDC_MAIN_LOAD, kDoubleClick,
        {"SetLoad(0)", "GetLoad(1)", "GetOffset(1)", "GetAmpl(1)",
         "SetLoad(1)", "GetLoad(1)", "GetOffset(1)", "GetAmpl(1)"})
        .Kept({{S::kLoad, 1}}),

    // Other toggles send the opposite state and read it back, also when it
    // was refused.
    Row("BmSlope", ID_PANELS_BM, IDC_BM_SLOPE, kClick, {"SetTrigSlope(0)", "GetTrigSlope(1)"})
        .Shows("Inverted"),
    Row("SweepSlope", ID_PANELS_SWEEP, IDC_SWEEP_SLOPE, kClick,
        {"SetTrigSlope(0)", "GetTrigSlope(1)"})
        .Shows("Inverted"),
    Row("MainLoad", ID_PANELS_MAIN, IDC_MAIN_LOAD, kClick,
        {"SetLoad(0)", "GetLoad(1)", "GetOffset(1)", "GetAmpl(1)"})
        .Kept({{S::kLoad, 0}}),
    Row("BmSlopeRefused", ID_PANELS_BM, IDC_BM_SLOPE, kClick,
        {"SetTrigSlope(1)", "GetTrigSlope(1)"})
        .ShownFirst({{S::kTrigSlope, 0}}).Failing("SetTrigSlope").Shows("Inverted"),
    Row("SweepSlopeRefused", ID_PANELS_SWEEP, IDC_SWEEP_SLOPE, kClick,
        {"SetTrigSlope(0)", "GetTrigSlope(1)"})
        .Failing("SetTrigSlope").Shows("Normal"),

    // With Alt a click reads the state and sends nothing; a failed read keeps
    // what was shown.
    Row("BmStateAlt", ID_PANELS_BM, IDC_BM_STATE, kAltClick, {"GetBmState(1)"})
        .Held({{S::kBmState, 1}}).Shows("On"),
    Row("SweepStateAlt", ID_PANELS_SWEEP, IDC_SWEEP_STATE, kAltClick, {"GetSweepState(1)"})
        .ShownFirst({{S::kSweepState, 1}}).Held({{S::kSweepState, 0}}).Shows("Off"),
    Row("MainLoadAlt", ID_PANELS_MAIN, IDC_MAIN_LOAD, kAltClick, {"GetLoad(1)"}),
    Row("AmStateAltFails", ID_PANELS_AM, IDC_AM_STATE, kAltClick, {"GetAmState(1)"})
        .Failing("GetAmState").Shows("Off"),
    Row("BmSlopeAltFails", ID_PANELS_BM, IDC_BM_SLOPE, kAltClick, {"GetTrigSlope(1)"})
        .Failing("GetTrigSlope").Shows("Normal"),
    Row("SweepSlopeAltFails", ID_PANELS_SWEEP, IDC_SWEEP_SLOPE, kAltClick, {"GetTrigSlope(1)"})
        .Failing("GetTrigSlope").Shows("Normal"),

    // A choice sends its code; only some combos read it back.
    Row("AmFunc", ID_PANELS_AM, IDC_AM_FUNC, Choose(5), {"SetAmFunc(5)"})
        .Kept({{S::kAmFunc, 5}}),
    Row("AmSource", ID_PANELS_AM, IDC_AM_SOURCE, Choose(1), {"SetAmSource(1)"})
        .Kept({{S::kAmSource, 1}}),
    Row("FmFunc", ID_PANELS_FM, IDC_FM_FUNC, Choose(1), {"SetFmFunc(1)"}),
    Row("FskSource", ID_PANELS_FSK, IDC_FSK_SOURCE, Choose(1), {"SetFskSource(1)"}),
    Row("SweepTrigSource", ID_PANELS_SWEEP, IDC_SWEEP_TRIG_SOURCE, Choose(6), {"SetTrigSource(6)"})
        .Shows("TTLT3"),
    Row("SweepSpacing", ID_PANELS_SWEEP, IDC_SWEEP_SPACING, Choose(1), {"SetSweepSpacing(1)"})
        .Kept({{S::kSweepSpacing, 1}}),
    Row("BmTrigSource", ID_PANELS_BM, IDC_BM_TRIG_SOURCE, Choose(6),
        {"SetTrigSource(6)", "GetTrigSource(1)"})
        .Shows("TTLT3").Kept({{S::kTrigSource, 6}}),
    Row("BmMode", ID_PANELS_BM, IDC_BM_MODE, Choose(1), {"SetBmSource(1)", "GetBmSource(1)"})
        .Kept({{S::kBmSource, 1}}),
    Row("MainFunc", ID_PANELS_MAIN, IDC_MAIN_FUNC, Choose(6),
        {"SetFunc(6)", "GetFreq(1)", "GetOffset(1)", "GetAmpl(1)", "GetDutyCycle(1)"})
        .Kept({{S::kFunc, 6}}),

    // A refused choice is reported; a combo without read-back is not read.
    Row("AmSourceRefused", ID_PANELS_AM, IDC_AM_SOURCE, Choose(1), {"SetAmSource(1)"})
        .Failing("SetAmSource"),
    Row("FskTrigSourceRefused", ID_PANELS_FSK, IDC_FSK_TRIG_SOURCE, Choose(3),
        {"SetTrigSource(5)"})
        .Failing("SetTrigSource").Kept({{S::kTrigSource, 0}}),
    Row("BmTrigSourceRefused", ID_PANELS_BM, IDC_BM_TRIG_SOURCE, Choose(2),
        {"SetTrigSource(2)", "GetTrigSource(1)"})
        .Failing("SetTrigSource").Shows("Immediate"),
    Row("BmModeRefused", ID_PANELS_BM, IDC_BM_MODE, Choose(0),
        {"SetBmSource(0)", "GetFreq(1)", "GetBmSource(1)"})
        .ShownFirst({{S::kBmSource, 1}}).Failing("SetBmSource").Shows("Gated (External)"),

    // With Alt a choice, or opening the list, reads the instrument instead;
    // the choice then gives the focus to the panel's title.
    Row("AmFuncAlt", ID_PANELS_AM, IDC_AM_FUNC, AltChoose(1), {"GetAmFunc(1)"})
        .Held({{S::kAmFunc, 3}}).Shows("Ramp").Focus(IDC_AM_TITLE),
    Row("FmFuncAlt", ID_PANELS_FM, IDC_FM_FUNC, AltChoose(0), {"GetFmFunc(1)"})
        .Held({{S::kFmFunc, 4}}).Shows("Noise").Focus(IDC_FM_TITLE),
    Row("BmModeAlt", ID_PANELS_BM, IDC_BM_MODE, AltChoose(0), {"GetBmSource(1)"})
        .Held({{S::kBmSource, 1}}).Shows("Gated (External)").Focus(IDC_BM_TITLE),
    Row("FskTrigSourceAlt", ID_PANELS_FSK, IDC_FSK_TRIG_SOURCE, AltChoose(2), {"GetTrigSource(1)"})
        .Held({{S::kTrigSource, 8}}).Shows("TTLT5").Focus(IDC_FSK_TITLE),
    Row("SweepTrigSourceAlt", ID_PANELS_SWEEP, IDC_SWEEP_TRIG_SOURCE, AltChoose(9),
        {"GetTrigSource(1)"})
        .Held({{S::kTrigSource, 2}}).Shows("BUS").Focus(IDC_SWEEP_TITLE),
    Row("MainFuncAlt", ID_PANELS_MAIN, IDC_MAIN_FUNC, AltChoose(5), {"GetFunc(1)"})
        .Held({{S::kFunc, 2}}).Shows("Triangle").Focus(IDC_MAIN_FRAME),
    Row("SweepSpacingAltFails", ID_PANELS_SWEEP, IDC_SWEEP_SPACING, AltChoose(1),
        {"GetSweepSpacing(1)"})
        .Failing("GetSweepSpacing").Focus(IDC_SWEEP_TITLE),
    Row("FmFuncAltOutOfList", ID_PANELS_FM, IDC_FM_FUNC, kAltOpenList, {"GetFmFunc(1)"})
        .Held({{S::kFmFunc, 9}}).Shows(""),
    Row("BmTrigSourceAltList", ID_PANELS_BM, IDC_BM_TRIG_SOURCE, kAltOpenList,
        {"GetTrigSource(1)"})
        .Held({{S::kTrigSource, 9}}).Shows("TTLT6"),
    Row("FskTrigSourceAltList", ID_PANELS_FSK, IDC_FSK_TRIG_SOURCE, kAltOpenList,
        {"GetTrigSource(1)"})
        .ShownFirst({{S::kTrigSource, 8}}).Held({{S::kTrigSource, 0}}).Shows("External"),
    Row("MainFuncAltList", ID_PANELS_MAIN, IDC_MAIN_FUNC, kAltOpenList, {"GetFunc(1)"})
        .Held({{S::kFunc, 2}}).Shows("Triangle"),
    Row("SweepSpacingAltList", ID_PANELS_SWEEP, IDC_SWEEP_SPACING, kAltOpenList,
        {"GetSweepSpacing(1)"})
        .Held({{S::kSweepSpacing, 1}}).Shows("Log"),
    Row("AmSourceList", ID_PANELS_AM, IDC_AM_SOURCE, kOpenList, {}),
    Row("BmTrigSourceList", ID_PANELS_BM, IDC_BM_TRIG_SOURCE, kOpenList, {})
        .Held({{S::kTrigSource, 9}}).Shows("Immediate"),
    Row("MainFuncList", ID_PANELS_MAIN, IDC_MAIN_FUNC, kOpenList, {})
        .Held({{S::kFunc, 2}}).Shows("Sinusoid"),
    Row("SweepTrigSourceList", ID_PANELS_SWEEP, IDC_SWEEP_TRIG_SOURCE, kOpenList, {}),

    // With Alt, the focus on a field reads it: a number with the wait cursor,
    // then the focus goes to the title; a name quietly, keeping the focus (the
    // box of a failed read takes the focus, and its return reads again).
    Row("MainFreqAltFocus", ID_PANELS_MAIN, IDC_MAIN_FREQ, kAltFocus,
        {"GetFreq(1)", "GetFreq(0)"})
        .Focus(IDC_MAIN_FRAME).WaitDepthAt("GetFreq(1)", 1),
    Row("BmCountAltFocus", ID_PANELS_BM, IDC_BM_COUNT, kAltFocus,
        {"GetBmCount(1)", "GetBmCount(0)"})
        .Held({{S::kBmCount, 0}}).Shows("INF Cycles").Focus(IDC_BM_TITLE),
    Row("MainAmplFocus", ID_PANELS_MAIN, IDC_MAIN_AMPL, kFocus, {}).Focus(IDC_MAIN_AMPL),
    Row("AmUserAltFocus", ID_PANELS_AM, IDC_AM_USER, kAltFocus, {"GetUserFunc(1)"})
        .Held({{S::kUserFunc, 0, "CARDIAC"}}).Shows("CARDIAC").Focus(IDC_AM_USER)
        .WaitDepthAt("GetUserFunc(1)", 0).TextLimit(12),
    Row("FmUserAltFocus", ID_PANELS_FM, IDC_FM_USER, kAltFocus, {"GetUserFunc(1)"})
        .Focus(IDC_FM_USER).WaitDepthAt("GetUserFunc(1)", 0),
    Row("MainUserAltFocus", ID_PANELS_MAIN, IDC_MAIN_USER, kAltFocus, {"GetUserFunc(1)"})
        .Focus(IDC_MAIN_USER).WaitDepthAt("GetUserFunc(1)", 0).TextLimit(12),
    Row("AmUserAltFails", ID_PANELS_AM, IDC_AM_USER, kAltFocus,
        {"GetUserFunc(1)", "GetUserFunc(0)", "GetUserFunc(1)"})
        .Failing("GetUserFunc").Focus(IDC_AM_USER),
    Row("MainUserAltFails", ID_PANELS_MAIN, IDC_MAIN_USER, kAltFocus,
        {"GetUserFunc(1)", "GetUserFunc(0)", "GetUserFunc(1)"})
        .Failing("GetUserFunc").Focus(IDC_MAIN_USER),

    // Enter sends what was typed and reads it back, also when it was refused;
    // leaving the field forgets what was typed.
    Row("MainFreqEnter", ID_PANELS_MAIN, IDC_MAIN_FREQ, Enter("2k"),
        {"SetFreq(2000)", "GetFreq(1)", "GetDutyCycle(1)"})
        .Shows("2 kHz").Focus(IDC_MAIN_FREQ),
    Row("MainFreqRefused", ID_PANELS_MAIN, IDC_MAIN_FREQ, Enter("2k"),
        {"SetFreq(2000)", "GetFreq(0)", "GetFreq(1)", "GetDutyCycle(1)"})
        .Failing("SetFreq").Shows("1 kHz").Focus(IDC_MAIN_FREQ),
    Row("BmCountRefused", ID_PANELS_BM, IDC_BM_COUNT, Enter("5"),
        {"SetBmCount(5)", "GetBmCount(0)", "GetFreq(1)", "GetBmCount(1)"})
        .Failing("SetBmCount").Shows("1 Cycles"),
    Row("SweepTimeRefused", ID_PANELS_SWEEP, IDC_SWEEP_TIME, Enter("5"),
        {"SetSweepTime(5)", "GetSweepTime(0)", "GetSweepTime(1)"})
        .Failing("SetSweepTime").Shows("1 S"),
    Row("MainFreqLeave", ID_PANELS_MAIN, IDC_MAIN_FREQ, TypeAndLeave("2k"), {"GetFreq(0)"})
        .Shows("1 kHz").Focus(IDC_MAIN_AMPL),
    Row("BmCountLeave", ID_PANELS_BM, IDC_BM_COUNT, TypeAndLeave("9"), {"GetBmCount(0)"})
        .Shows("1 Cycles"),

    // Command buttons send their operation alone, whatever the Alt key.
    Row("BmBusTrigger", ID_PANELS_BM, IDC_BM_BUS_TRIGGER, kClick, {"Trigger()"}),
    Row("BmBusTriggerAlt", ID_PANELS_BM, IDC_BM_BUS_TRIGGER, kAltClick, {"Trigger()"})
        .Held({{S::kTrigSource, 1}}),
    Row("SweepBusTrigger", ID_PANELS_SWEEP, IDC_SWEEP_BUS_TRIGGER, kClick, {"Trigger()"}),
    Row("SweepBusTriggerFails", ID_PANELS_SWEEP, IDC_SWEEP_BUS_TRIGGER, kClick, {"Trigger()"})
        .Failing("Trigger"),
    Row("StatusReadError", ID_PANELS_STATUS, IDC_STAT_READ_ERROR, kClick, {"ErrorQuery()"})
        .Shows({{IDC_STAT_ERROR_NUMBER, "0"}, {IDC_STAT_ERROR_MESSAGE, "None"}}),
    Row("StatusByte", ID_PANELS_STATUS, IDC_STAT_STATUS_BYTE, kClick, {"ReadStatusByte()"}),
    Row("StatusPhaseLock", ID_PANELS_STATUS, IDC_STAT_PHASE_LOCK, kClick, {"GetPhaseLock()"}),
    Row("StatusOpc", ID_PANELS_STATUS, IDC_STAT_OPC, kClick, {"OpcQuery()"}),
    Row("StatusClear", ID_PANELS_STATUS, IDC_STAT_CLEAR, kClick, {"ClearStatus()"}),
    Row("StatusByteFails", ID_PANELS_STATUS, IDC_STAT_STATUS_BYTE, kClick, {"ReadStatusByte()"})
        .Failing("ReadStatusByte").Shows(kFreshReadOuts),
    Row("StatusPhaseLockFails", ID_PANELS_STATUS, IDC_STAT_PHASE_LOCK, kClick,
        {"GetPhaseLock()"})
        .Failing("GetPhaseLock").Shows(kFreshReadOuts),
    Row("StatusOpcFails", ID_PANELS_STATUS, IDC_STAT_OPC, kClick, {"OpcQuery()"})
        .Failing("OpcQuery").Shows(kFreshReadOuts),
    Row("StatusClearFails", ID_PANELS_STATUS, IDC_STAT_CLEAR, kClick, {"ClearStatus()"})
        .Failing("ClearStatus").Shows(kFreshReadOuts),

    // Tab follows the screen from the first control, which has the focus
    // when the panel opens; pictures and plates are passed over.
    Row("MainTabs0", ID_PANELS_MAIN, 0, Tabs(0), {}).Focus(IDC_MAIN_FUNC)
        .Shows({{IDC_MAIN_FREQ, "1 kHz"}, {IDC_MAIN_AMPL, "100 mVpp"}, {IDC_MAIN_OFFSET, "0 V"},
                {IDC_MAIN_DUTY, "50 %"}, {IDC_MAIN_USER, "SINC"}, {IDC_MAIN_LOAD, "50 Ohms"},
                {IDC_MAIN_FUNC, "Sinusoid"}})
        .Lists(IDC_MAIN_FUNC, {"Sinusoid", "Square", "Triangle", "Ramp", "Noise", "User", "DC"}),
    Row("MainTabs1", ID_PANELS_MAIN, 0, Tabs(1), {}).Focus(IDC_MAIN_USER),
    // Leaving a field shows its remembered value again.
    Row("MainTabs2", ID_PANELS_MAIN, 0, Tabs(2), {"GetUserFunc(0)"}).Focus(IDC_MAIN_FREQ),
    Row("MainTabs5", ID_PANELS_MAIN, 0, Tabs(5),
        {"GetUserFunc(0)", "GetFreq(0)", "GetAmpl(0)", "GetOffset(0)"})
        .Focus(IDC_MAIN_DUTY),
    Row("MainTabs7", ID_PANELS_MAIN, 0, Tabs(7),
        {"GetUserFunc(0)", "GetFreq(0)", "GetAmpl(0)", "GetOffset(0)", "GetDutyCycle(0)"})
        .Focus(IDC_MAIN_FUNC),
    Row("AmTabs0", ID_PANELS_AM, 0, Tabs(0), {}).Focus(IDC_AM_SOURCE)
        .Shows({{IDC_AM_TITLE, "Amplitude Modulation Panel"}, {IDC_AM_DEPTH, "100 %"},
                {IDC_AM_FREQ, "100 Hz"}, {IDC_AM_USER, "SINC"}, {IDC_AM_STATE, "Off"}})
        .Lists(IDC_AM_FUNC, kModulations).Lists(IDC_AM_SOURCE, {"Both", "External"}),
    Row("BmTabs0", ID_PANELS_BM, 0, Tabs(0), {}).Focus(IDC_BM_MODE)
        .Shows({{IDC_BM_TITLE, "Burst Modulation Panel"}, {IDC_BM_COUNT, "1 Cycles"},
                {IDC_BM_PHASE, "0 Deg"}, {IDC_BM_RATE, "100 Hz"}, {IDC_BM_STATE, "Off"},
                {IDC_BM_SLOPE, "Normal"}, {IDC_BM_MODE, "Burst (Internal)"},
                {IDC_BM_TRIG_SOURCE, "Immediate"}})
        .Lists(IDC_BM_MODE, {"Burst (Internal)", "Gated (External)"})
        .Lists(IDC_BM_TRIG_SOURCE, kTriggerSources),
    Row("AmTabs1", ID_PANELS_AM, 0, Tabs(1), {}).Focus(IDC_AM_FUNC),
    Row("AmTabs5", ID_PANELS_AM, 0, Tabs(5), {"GetUserFunc(0)", "GetAmDepth(0)", "GetAmFreq(0)"})
        .Focus(IDC_AM_STATE),
    Row("BmTabs1", ID_PANELS_BM, 0, Tabs(1), {}).Focus(IDC_BM_COUNT),
    Row("BmTabs4", ID_PANELS_BM, 0, Tabs(4), {"GetBmCount(0)", "GetBmPhase(0)", "GetBmRate(0)"})
        .Focus(IDC_BM_TRIG_SOURCE),
    Row("BmTabs7", ID_PANELS_BM, 0, Tabs(7), {"GetBmCount(0)", "GetBmPhase(0)", "GetBmRate(0)"})
        .Focus(IDC_BM_BUS_TRIGGER),
    Row("FmTabs0", ID_PANELS_FM, 0, Tabs(0), {}).Focus(IDC_FM_FUNC)
        .Shows({{IDC_FM_TITLE, "Frequency Modulation Panel"}, {IDC_FM_DEV, "100 Hz"},
                {IDC_FM_FREQ, "100 Hz"}, {IDC_FM_USER, "SINC"}, {IDC_FM_STATE, "Off"}})
        .Lists(IDC_FM_FUNC, kModulations),
    Row("FskTabs0", ID_PANELS_FSK, 0, Tabs(0), {}).Focus(IDC_FSK_FREQ)
        .Shows({{IDC_FSK_TITLE, "Frequency Shift Keying Panel"}, {IDC_FSK_FREQ, "100 Hz"},
                {IDC_FSK_RATE, "10 Hz"}, {IDC_FSK_STATE, "Off"}, {IDC_FSK_SOURCE, "Internal"},
                {IDC_FSK_TRIG_SOURCE, "External"}})  // Immediate shows as External
        .Lists(IDC_FSK_SOURCE, {"Internal", "Trigger Source"})
        .Lists(IDC_FSK_TRIG_SOURCE, {"External", "TTLT0", "TTLT1", "TTLT2", "TTLT3", "TTLT4",
                                     "TTLT5", "TTLT6", "TTLT7"}),
    Row("SweepTabs0", ID_PANELS_SWEEP, 0, Tabs(0), {}).Focus(IDC_SWEEP_START)
        .Shows({{IDC_SWEEP_TITLE, "Sweep Panel"}, {IDC_SWEEP_START, "100 Hz"},
                {IDC_SWEEP_STOP, "1 kHz"}, {IDC_SWEEP_TIME, "1 S"}, {IDC_SWEEP_STATE, "Off"},
                {IDC_SWEEP_SLOPE, "Normal"}})
        .Lists(IDC_SWEEP_SPACING, {"Linear", "Log"}).Lists(IDC_SWEEP_TRIG_SOURCE, kTriggerSources),
    Row("FskTabs4", ID_PANELS_FSK, 0, Tabs(4), {"GetFskFreq(0)", "GetFskRate(0)"})
        .Focus(IDC_FSK_STATE),
    Row("SweepTabs7", ID_PANELS_SWEEP, 0, Tabs(7),
        {"GetStartFreq(0)", "GetStopFreq(0)", "GetSweepTime(0)"})
        .Focus(IDC_SWEEP_BUS_TRIGGER),
    Row("StatusTabs0", ID_PANELS_STATUS, 0, Tabs(0), {}).Focus(IDC_STAT_READ_ERROR),
    Row("StatusTabs1", ID_PANELS_STATUS, 0, Tabs(1), {}).Focus(IDC_STAT_PHASE_LOCK),
    Row("StatusTabs2", ID_PANELS_STATUS, 0, Tabs(2), {}).Focus(IDC_STAT_STATUS_BYTE),
    Row("StatusTabs4", ID_PANELS_STATUS, 0, Tabs(4), {}).Focus(IDC_STAT_OPC),

    // The read-outs act on Space and Enter as on a click.
    Row("StatusByteEnter", ID_PANELS_STATUS, IDC_STAT_STATUS_BYTE, Key(VK_RETURN),
        {"ReadStatusByte()"}).Shows("0"),
    Row("StatusPhaseLockSpace", ID_PANELS_STATUS, IDC_STAT_PHASE_LOCK, Key(VK_SPACE),
        {"GetPhaseLock()"}),

    // Up and Down step a field as its arrows do: nothing is sent while the key
    // is held, the value goes when it is let go.
    Row("MainFreqUpHeld", ID_PANELS_MAIN, IDC_MAIN_FREQ, Hold(VK_UP, 2),
        {"SetFreq(3000)", "GetFreq(1)", "GetDutyCycle(1)"})
        .Shows("3 kHz").Focus(IDC_MAIN_FREQ),
    Row("MainAmplUp", ID_PANELS_MAIN, IDC_MAIN_AMPL, Key(VK_UP),
        {"SetAmpl(0.2)", "GetAmpl(1)", "GetOffset(1)"}),
    Row("MainDutyDownAtLimit", ID_PANELS_MAIN, IDC_MAIN_DUTY, Hold(VK_DOWN, 40),
        {"SetDutyCycle(20)", "GetDutyCycle(1)"})
        .Shows("20 %"),
    Row("BmCountDown", ID_PANELS_BM, IDC_BM_COUNT, Key(VK_DOWN),
        {"SetBmCount(1)", "GetBmCount(1)"}),
    // A key let go without a press in the field sends nothing.
    Row("MainFreqReleaseOnly", ID_PANELS_MAIN, IDC_MAIN_FREQ, Hold(VK_UP, 0), {})
        .Shows("1 kHz"),

    // A redisplay gives the focus to the panel's title, and shows what is remembered.
    Row("AmRedisplay", ID_PANELS_AM, 0, kNothing, {}).Focus(IDC_AM_TITLE),
    Row("FmRedisplay", ID_PANELS_FM, 0, kNothing, {}).Focus(IDC_FM_TITLE),
    Row("FskRedisplay", ID_PANELS_FSK, 0, kNothing, {}).Focus(IDC_FSK_TITLE),
    Row("SweepRedisplay", ID_PANELS_SWEEP, 0, kNothing, {})
        .ShownFirst({{S::kSweepTime, 0.05}, {S::kSweepSpacing, 1}, {S::kTrigSlope, 0}})
        .Shows({{IDC_SWEEP_TIME, "50 mS"}, {IDC_SWEEP_SPACING, "Log"}, {IDC_SWEEP_SLOPE, "Inverted"}})
        .Focus(IDC_SWEEP_TITLE),
    // Large counts are written unscaled.
    Row("BmRedisplay", ID_PANELS_BM, 0, kNothing, {})
        .ShownFirst({{S::kBmCount, 50000}, {S::kBmRate, 50000}})
        .Shows({{IDC_BM_COUNT, "50000 Cycles"}, {IDC_BM_RATE, "50 kHz"}}).Focus(IDC_BM_TITLE),
    // Immediate, External and BUS show as External, TTLTn as item 1 + n.
    Row("FskTrigSourceBus", ID_PANELS_FSK, IDC_FSK_TRIG_SOURCE, kNothing, {})
        .ShownFirst({{S::kTrigSource, 2}}).Shows("External"),
    Row("FskTrigSourceTtl0", ID_PANELS_FSK, IDC_FSK_TRIG_SOURCE, kNothing, {})
        .ShownFirst({{S::kTrigSource, 3}}).Shows("TTLT0"),
    Row("FskTrigSourceTtl7", ID_PANELS_FSK, IDC_FSK_TRIG_SOURCE, kNothing, {})
        .ShownFirst({{S::kTrigSource, 10}}).Shows("TTLT7"),
    Row("FskTrigSourceUnknown", ID_PANELS_FSK, IDC_FSK_TRIG_SOURCE, kNothing, {})
        .ShownFirst({{S::kTrigSource, 11}}).Shows(""),
    Row("FskTrigSourceFirst", ID_PANELS_FSK, IDC_FSK_TRIG_SOURCE, Choose(0), {"SetTrigSource(1)"}),
    Row("FskTrigSourceLast", ID_PANELS_FSK, IDC_FSK_TRIG_SOURCE, Choose(8), {"SetTrigSource(10)"}),
    Row("FskTrigSourceTtl5", ID_PANELS_FSK, IDC_FSK_TRIG_SOURCE, Choose(6), {"SetTrigSource(8)"})
        .Shows("TTLT5"),
    Row("FskTrigSourceNone", ID_PANELS_FSK, IDC_FSK_TRIG_SOURCE, Choose(-1), {"SetTrigSource(1)"}),

    // Each field's limits: Enter sends the typed value clamped (nonsense as
    // the minimum) and shows the read-back.
    Row("MainFreqAboveMax", ID_PANELS_MAIN, IDC_MAIN_FREQ, Enter("20M"),
        {"SetFreq(15000000)", "GetFreq(1)", "GetDutyCycle(1)"}).Shows("15 MHz"),
    Row("MainFreqZero", ID_PANELS_MAIN, IDC_MAIN_FREQ, Enter("0"),
        {"SetFreq(0.0001)", "GetFreq(1)", "GetDutyCycle(1)"}).Shows("100 uHz"),
    Row("MainFreqNonsense", ID_PANELS_MAIN, IDC_MAIN_FREQ, Enter("garbage"),
        {"SetFreq(0.0001)", "GetFreq(1)", "GetDutyCycle(1)"}).Shows("100 uHz"),
    Row("MainAmplAboveMax50", ID_PANELS_MAIN, IDC_MAIN_AMPL, Enter("15"),
        {"SetAmpl(10)", "GetAmpl(1)"}).Shows("10 Vpp"),
    Row("MainAmplBelowMin50", ID_PANELS_MAIN, IDC_MAIN_AMPL, Enter("0.01"),
        {"SetAmpl(0.05)", "GetAmpl(1)"}),
    Row("MainAmplHighZ", ID_PANELS_MAIN, IDC_MAIN_AMPL, Enter("15"), {"SetAmpl(15)", "GetAmpl(1)"})
        .ShownFirst({{S::kLoad, 0}}),
    Row("MainAmplAboveMaxHighZ", ID_PANELS_MAIN, IDC_MAIN_AMPL, Enter("25"),
        {"SetAmpl(20)", "GetAmpl(1)"}).ShownFirst({{S::kLoad, 0}}),
    Row("MainAmplBelowMinHighZ", ID_PANELS_MAIN, IDC_MAIN_AMPL, Enter("0.01"),
        {"SetAmpl(0.1)", "GetAmpl(1)"}).ShownFirst({{S::kLoad, 0}}),
    Row("MainOffsetBelowMin", ID_PANELS_MAIN, IDC_MAIN_OFFSET, Enter("-7"),
        {"SetOffset(-5)", "GetOffset(1)"}),
    Row("MainOffsetAboveMax", ID_PANELS_MAIN, IDC_MAIN_OFFSET, Enter("7"),
        {"SetOffset(5)", "GetOffset(1)"}),
    Row("MainDutyBelowMin", ID_PANELS_MAIN, IDC_MAIN_DUTY, Enter("10"),
        {"SetDutyCycle(20)", "GetDutyCycle(1)"}),
    Row("MainDutyAboveMax", ID_PANELS_MAIN, IDC_MAIN_DUTY, Enter("95"),
        {"SetDutyCycle(80)", "GetDutyCycle(1)"}),
    Row("MainDutyNonsense", ID_PANELS_MAIN, IDC_MAIN_DUTY, Enter("x"),
        {"SetDutyCycle(20)", "GetDutyCycle(1)"}),
    Row("MainUserEnter", ID_PANELS_MAIN, IDC_MAIN_USER, Enter("EXP_FALL"),
        {"SetUserFunc(EXP_FALL)", "GetUserFunc(1)"}).Shows("EXP_FALL"),
    // The typing limit does not cut a longer name that the instrument reported.
    Row("MainUserLongName", ID_PANELS_MAIN, IDC_MAIN_USER, Key(VK_RETURN),
        {"SetUserFunc(ARB_WAVEFORM_20CHARS)", "GetUserFunc(1)"})
        .ShownFirst({{S::kUserFunc, 0, "ARB_WAVEFORM_20CHARS"}}),
    Row("MainFreqReadBackTimesOut", ID_PANELS_MAIN, IDC_MAIN_FREQ, Enter("2k"),
        {"SetFreq(2000)", "GetFreq(1)", "DeviceClear()", "GetFreq(0)"})
        .TimesOut("GetFreq").Shows("2 kHz"),
    Row("AmDepthAboveMax", ID_PANELS_AM, IDC_AM_DEPTH, Enter("150"),
        {"SetAmDepth(120)", "GetAmDepth(1)"}).Shows("120 %"),
    Row("AmDepthBelowMin", ID_PANELS_AM, IDC_AM_DEPTH, Enter("-5"),
        {"SetAmDepth(0)", "GetAmDepth(1)"}).Shows("0 %"),
    Row("AmDepthNonsense", ID_PANELS_AM, IDC_AM_DEPTH, Enter("deep"),
        {"SetAmDepth(0)", "GetAmDepth(1)"}).Shows("0 %"),
    Row("AmFreqBelowMin", ID_PANELS_AM, IDC_AM_FREQ, Enter("0"),
        {"SetAmFreq(0.01)", "GetAmFreq(1)"}).Shows("10 mHz"),
    Row("AmFreqAboveMax", ID_PANELS_AM, IDC_AM_FREQ, Enter("25k"),
        {"SetAmFreq(20000)", "GetAmFreq(1)"}).Shows("20 kHz"),
    Row("FmDevAboveMax", ID_PANELS_FM, IDC_FM_DEV, Enter("10M"),
        {"SetFmDev(7500000)", "GetFmDev(1)"}).Shows("7.5 MHz"),
    Row("FmDevBelowMin", ID_PANELS_FM, IDC_FM_DEV, Enter("0"),
        {"SetFmDev(0.01)", "GetFmDev(1)"}).Shows("10 mHz"),
    // The FM modulating frequency stops at 10 kHz, the AM one at 20 kHz.
    Row("FmFreqAboveMax", ID_PANELS_FM, IDC_FM_FREQ, Enter("20k"),
        {"SetFmFreq(10000)", "GetFmFreq(1)"}).Shows("10 kHz"),
    Row("FmFreqNonsense", ID_PANELS_FM, IDC_FM_FREQ, Enter("none"),
        {"SetFmFreq(0.01)", "GetFmFreq(1)"}),
    Row("FskFreqAboveMax", ID_PANELS_FSK, IDC_FSK_FREQ, Enter("20M"),
        {"SetFskFreq(15000000)", "GetFskFreq(1)"}).Shows("15 MHz"),
    Row("FskFreqBelowMin", ID_PANELS_FSK, IDC_FSK_FREQ, Enter("0"),
        {"SetFskFreq(0.01)", "GetFskFreq(1)"}),
    Row("FskRateAboveMax", ID_PANELS_FSK, IDC_FSK_RATE, Enter("100k"),
        {"SetFskRate(50000)", "GetFskRate(1)"}).Shows("50 kHz"),
    Row("FskRateAtMax", ID_PANELS_FSK, IDC_FSK_RATE, Enter("50k"),
        {"SetFskRate(50000)", "GetFskRate(1)"}),
    Row("FskRateNonsense", ID_PANELS_FSK, IDC_FSK_RATE, Enter("x"),
        {"SetFskRate(0.01)", "GetFskRate(1)"}),
    // Only the field set is read back.
    Row("SweepStartBelowMin", ID_PANELS_SWEEP, IDC_SWEEP_START, Enter("0.001"),
        {"SetStartFreq(0.01)", "GetStartFreq(1)"}).Shows("10 mHz"),
    Row("SweepStartAboveMax", ID_PANELS_SWEEP, IDC_SWEEP_START, Enter("20M"),
        {"SetStartFreq(15000000)", "GetStartFreq(1)"}),
    Row("SweepStartAtMax", ID_PANELS_SWEEP, IDC_SWEEP_START, Enter("15M"),
        {"SetStartFreq(15000000)", "GetStartFreq(1)"}),
    Row("SweepStopAboveMax", ID_PANELS_SWEEP, IDC_SWEEP_STOP, Enter("15.1M"),
        {"SetStopFreq(15000000)", "GetStopFreq(1)"}),
    Row("SweepStopNonsense", ID_PANELS_SWEEP, IDC_SWEEP_STOP, Enter("no number"),
        {"SetStopFreq(0.01)", "GetStopFreq(1)"}).Shows("10 mHz"),
    Row("SweepTimeAboveMax", ID_PANELS_SWEEP, IDC_SWEEP_TIME, Enter("1000"),
        {"SetSweepTime(500)", "GetSweepTime(1)"}).Shows("500 S"),
    Row("SweepTimeBelowMin", ID_PANELS_SWEEP, IDC_SWEEP_TIME, Enter("0.0001"),
        {"SetSweepTime(0.001)", "GetSweepTime(1)"}).Shows("1 mS"),
    Row("SweepTimeMilli", ID_PANELS_SWEEP, IDC_SWEEP_TIME, Enter("2m"),
        {"SetSweepTime(0.002)", "GetSweepTime(1)"}),
    Row("BmPhaseAboveMax", ID_PANELS_BM, IDC_BM_PHASE, Enter("400"),
        {"SetBmPhase(360)", "GetBmPhase(1)"}).Shows("360 Deg"),
    Row("BmPhaseBelowMin", ID_PANELS_BM, IDC_BM_PHASE, Enter("-400"),
        {"SetBmPhase(-360)", "GetBmPhase(1)"}).Shows("-360 Deg"),
    Row("BmRateAboveMax", ID_PANELS_BM, IDC_BM_RATE, Enter("1M"),
        {"SetBmRate(50000)", "GetBmRate(1)"}).Shows("50 kHz"),
    Row("BmRateBelowMin", ID_PANELS_BM, IDC_BM_RATE, Enter("0"),
        {"SetBmRate(0.01)", "GetBmRate(1)"}).Shows("10 mHz"),
    // The count goes truncated; zero, negative and nonsense as infinite;
    // above the range or INF as 50001, which the in-memory instrument keeps.
    Row("BmCountTruncated", ID_PANELS_BM, IDC_BM_COUNT, Enter("2.7"),
        {"SetBmCount(2)", "GetBmCount(1)"}).Shows("2 Cycles"),
    Row("BmCountAtMax", ID_PANELS_BM, IDC_BM_COUNT, Enter("50000"),
        {"SetBmCount(50000)", "GetBmCount(1)"}).Shows("50000 Cycles"),
    Row("BmCountZero", ID_PANELS_BM, IDC_BM_COUNT, Enter("0"),
        {"SetBmCount(0)", "GetBmCount(1)"}).Shows("INF Cycles"),
    Row("BmCountNegative", ID_PANELS_BM, IDC_BM_COUNT, Enter("-5"),
        {"SetBmCount(0)", "GetBmCount(1)"}).Shows("INF Cycles"),
    Row("BmCountNonsense", ID_PANELS_BM, IDC_BM_COUNT, Enter("abc"),
        {"SetBmCount(0)", "GetBmCount(1)"}).Shows("INF Cycles"),
    Row("BmCountAboveMax", ID_PANELS_BM, IDC_BM_COUNT, Enter("60000"),
        {"SetBmCount(50001)", "GetBmCount(1)"}),
    Row("BmCountInf", ID_PANELS_BM, IDC_BM_COUNT, Enter("inf"),
        {"SetBmCount(50001)", "GetBmCount(1)"}).Shows("50001 Cycles").Kept({{S::kBmCount, 50001}}),
    Row("BmBusTriggerTooFast", ID_PANELS_BM, IDC_BM_BUS_TRIGGER, kClick, {"Trigger()"})
        .FailsWith("Trigger", static_cast<int32_t>(0xBFFC0008), "I/O requests too fast."),
    Row("BmCountEscape", ID_PANELS_BM, IDC_BM_COUNT, Key(VK_ESCAPE), {}),

    // Each field's arrows: nothing is sent while one is held, and they stop
    // at the limits; the release sends what the field shows.
    Row("MainFreqUpReleased", ID_PANELS_MAIN, IDC_MAIN_FREQ, Released(IDC_MAIN_FREQ_SPIN, 2),
        {"SetFreq(3000)", "GetFreq(1)", "GetDutyCycle(1)"}).Shows("3 kHz"),
    Row("MainFreqUpToMax", ID_PANELS_MAIN, IDC_MAIN_FREQ, Arrows(IDC_MAIN_FREQ_SPIN, 1), {})
        .Typed("14M").Shows("15 MHz"),
    // Zero stays zero upwards: no clamp at the minimum.
    Row("MainFreqUpFromZero", ID_PANELS_MAIN, IDC_MAIN_FREQ, Arrows(IDC_MAIN_FREQ_SPIN, 1), {})
        .Typed("0").Shows("0 Hz"),
    Row("MainFreqDownFromZero", ID_PANELS_MAIN, IDC_MAIN_FREQ, Arrows(IDC_MAIN_FREQ_SPIN, -1), {})
        .Typed("0").Shows("100 uHz"),
    Row("MainAmplUpReleased", ID_PANELS_MAIN, IDC_MAIN_AMPL, Released(IDC_MAIN_AMPL_SPIN, 1),
        {"SetAmpl(0.2)", "GetAmpl(1)", "GetOffset(1)"}),
    Row("MainDutyUpTwice", ID_PANELS_MAIN, IDC_MAIN_DUTY, Arrows(IDC_MAIN_DUTY_SPIN, 2), {})
        .Shows("52 %"),
    Row("MainDutyUpAtMax", ID_PANELS_MAIN, IDC_MAIN_DUTY, Arrows(IDC_MAIN_DUTY_SPIN, 1), {})
        .Typed("80").Shows("80 %"),
    Row("MainDutyDownAtMin", ID_PANELS_MAIN, IDC_MAIN_DUTY, Arrows(IDC_MAIN_DUTY_SPIN, -1), {})
        .Typed("20").Shows("20 %"),
    // The offset crosses zero through the band; negative offsets grow upwards.
    Row("MainOffsetUp", ID_PANELS_MAIN, IDC_MAIN_OFFSET, Arrows(IDC_MAIN_OFFSET_SPIN, 1), {})
        .Shows("1 mV"),
    Row("MainOffsetDownFromZero", ID_PANELS_MAIN, IDC_MAIN_OFFSET, Arrows(IDC_MAIN_OFFSET_SPIN, -1),
        {}).Typed("0").Shows("-1 mV"),
    Row("MainOffsetUpToMax", ID_PANELS_MAIN, IDC_MAIN_OFFSET, Released(IDC_MAIN_OFFSET_SPIN, 2),
        {"SetOffset(5)", "GetOffset(1)"}).Typed("4").Shows("5 V"),
    Row("MainOffsetNegativeUpTwice", ID_PANELS_MAIN, IDC_MAIN_OFFSET,
        Arrows(IDC_MAIN_OFFSET_SPIN, 2), {}).Typed("-2").Shows("-900 mV"),
    Row("MainOffsetNegativeDown", ID_PANELS_MAIN, IDC_MAIN_OFFSET, Arrows(IDC_MAIN_OFFSET_SPIN, -1),
        {}).Typed("-2").Shows("-3 V"),
    Row("MainOffsetDownToMin", ID_PANELS_MAIN, IDC_MAIN_OFFSET, Arrows(IDC_MAIN_OFFSET_SPIN, -1),
        {}).Typed("-4.5").Shows("-5 V"),
    Row("MainOffsetSmallNegativeUp", ID_PANELS_MAIN, IDC_MAIN_OFFSET,
        Arrows(IDC_MAIN_OFFSET_SPIN, 1), {}).Typed("-0.001").Shows("-900 uV"),
    // The name arrows walk the list of user functions.
    Row("MainUserDown", ID_PANELS_MAIN, IDC_MAIN_USER, Arrows(IDC_MAIN_USER_SPIN, -1), {})
        .Shows("NEG_RAMP"),
    Row("MainUserDownReleased", ID_PANELS_MAIN, IDC_MAIN_USER, Released(IDC_MAIN_USER_SPIN, -1),
        {"SetUserFunc(NEG_RAMP)", "GetUserFunc(1)"}),
    Row("MainUserUp", ID_PANELS_MAIN, IDC_MAIN_USER, Arrows(IDC_MAIN_USER_SPIN, 1), {})
        .Typed("SINC").Shows("CARDIAC"),
    Row("MainUserDownToSinc", ID_PANELS_MAIN, IDC_MAIN_USER, Arrows(IDC_MAIN_USER_SPIN, -1), {})
        .Typed("CARDIAC").Shows("SINC"),
    Row("MainUserUnknownUp", ID_PANELS_MAIN, IDC_MAIN_USER, Arrows(IDC_MAIN_USER_SPIN, 1), {})
        .Typed("xEXP_RISEx").Shows("NEG_RAMP"),
    Row("FmUserDownReleased", ID_PANELS_FM, IDC_FM_USER, Released(IDC_FM_USER_SPIN, -2),
        {"SetUserFunc(EXP_RISE)", "GetUserFunc(1)"})
        .Shows("EXP_RISE").WaitDepthAt("GetUserFunc(1)", 1),
    Row("AmDepthUp", ID_PANELS_AM, IDC_AM_DEPTH, Arrows(IDC_AM_DEPTH_SPIN, 1), {}).Shows("101 %"),
    Row("AmDepthUpToMax", ID_PANELS_AM, IDC_AM_DEPTH, Arrows(IDC_AM_DEPTH_SPIN, 2), {})
        .Typed("119").Shows("120 %"),
    Row("AmDepthDownToMin", ID_PANELS_AM, IDC_AM_DEPTH, Released(IDC_AM_DEPTH_SPIN, -2),
        {"SetAmDepth(0)", "GetAmDepth(1)"}).Typed("1").Shows("0 %"),
    Row("AmFreqUpTwice", ID_PANELS_AM, IDC_AM_FREQ, Arrows(IDC_AM_FREQ_SPIN, 2), {})
        .Shows("300 Hz"),
    Row("AmFreqUpToMax", ID_PANELS_AM, IDC_AM_FREQ, Released(IDC_AM_FREQ_SPIN, 2),
        {"SetAmFreq(20000)", "GetAmFreq(1)"}).Typed("10k").Shows("20 kHz"),
    // Only the arrows clamp, each at its own end: zero goes out unclamped.
    Row("AmFreqUpFromZero", ID_PANELS_AM, IDC_AM_FREQ, Released(IDC_AM_FREQ_SPIN, 1),
        {"SetAmFreq(0)", "GetAmFreq(1)"}).Typed("0").Shows("0 Hz"),
    Row("AmFreqDownFromZero", ID_PANELS_AM, IDC_AM_FREQ, Arrows(IDC_AM_FREQ_SPIN, -1), {})
        .Typed("0").Shows("10 mHz"),
    // A negative value steps up as a signed number, down to the minimum.
    Row("AmFreqNegativeUp", ID_PANELS_AM, IDC_AM_FREQ, Arrows(IDC_AM_FREQ_SPIN, 1), {})
        .Typed("-100").Shows("-90 Hz"),
    Row("AmFreqNegativeDown", ID_PANELS_AM, IDC_AM_FREQ, Arrows(IDC_AM_FREQ_SPIN, -1), {})
        .Typed("-100").Shows("10 mHz"),
    Row("FmDevUpToMax", ID_PANELS_FM, IDC_FM_DEV, Arrows(IDC_FM_DEV_SPIN, 1), {})
        .Typed("7M").Shows("7.5 MHz"),
    Row("FmDevDownToMin", ID_PANELS_FM, IDC_FM_DEV, Arrows(IDC_FM_DEV_SPIN, -2), {})
        .Typed("20m").Shows("10 mHz"),
    Row("FmFreqUpToMax", ID_PANELS_FM, IDC_FM_FREQ, Arrows(IDC_FM_FREQ_SPIN, 2), {})
        .Typed("9k").Shows("10 kHz"),
    Row("FskRateUpToMax", ID_PANELS_FSK, IDC_FSK_RATE, Released(IDC_FSK_RATE_SPIN, 2),
        {"SetFskRate(50000)", "GetFskRate(1)"}).Typed("40k").Shows("50 kHz"),
    Row("SweepTimeUpReleased", ID_PANELS_SWEEP, IDC_SWEEP_TIME, Released(IDC_SWEEP_TIME_SPIN, 2),
        {"SetSweepTime(3)", "GetSweepTime(1)"}).Shows("3 S"),
    Row("SweepTimeUpToMax", ID_PANELS_SWEEP, IDC_SWEEP_TIME, Arrows(IDC_SWEEP_TIME_SPIN, 2), {})
        .Typed("400").Shows("500 S"),
    Row("SweepTimeDownTwice", ID_PANELS_SWEEP, IDC_SWEEP_TIME, Arrows(IDC_SWEEP_TIME_SPIN, -2), {})
        .Typed("1").Shows("800 mS"),
    Row("SweepTimeDownToMin", ID_PANELS_SWEEP, IDC_SWEEP_TIME, Released(IDC_SWEEP_TIME_SPIN, -2),
        {"SetSweepTime(0.001)", "GetSweepTime(1)"}).Typed("0.002").Shows("1 mS"),
    Row("SweepStopUpToMax", ID_PANELS_SWEEP, IDC_SWEEP_STOP, Released(IDC_SWEEP_STOP_SPIN, 2),
        {"SetStopFreq(15000000)", "GetStopFreq(1)"}).Typed("9M"),
    Row("SweepStartDownToMin", ID_PANELS_SWEEP, IDC_SWEEP_START, Released(IDC_SWEEP_START_SPIN, -2),
        {"SetStartFreq(0.01)", "GetStartFreq(1)"}).Typed("0.02"),
    Row("BmPhaseDownAtMin", ID_PANELS_BM, IDC_BM_PHASE, Arrows(IDC_BM_PHASE_SPIN, -1), {})
        .Typed("-360").Shows("-360 Deg"),
    Row("BmPhaseUpFromMin", ID_PANELS_BM, IDC_BM_PHASE, Arrows(IDC_BM_PHASE_SPIN, 1), {})
        .Typed("-360").Shows("-359 Deg"),
    Row("BmPhaseUpToMax", ID_PANELS_BM, IDC_BM_PHASE, Released(IDC_BM_PHASE_SPIN, 2),
        {"SetBmPhase(360)", "GetBmPhase(1)"}).Typed("359").Shows("360 Deg"),
    Row("BmRateDownAtMin", ID_PANELS_BM, IDC_BM_RATE, Arrows(IDC_BM_RATE_SPIN, -1), {})
        .Typed("10m").Shows("10 mHz"),
    Row("BmRateUpFromMin", ID_PANELS_BM, IDC_BM_RATE, Arrows(IDC_BM_RATE_SPIN, 1), {})
        .Typed("10m").Shows("20 mHz"),
    Row("BmRateUpToMax", ID_PANELS_BM, IDC_BM_RATE, Arrows(IDC_BM_RATE_SPIN, 2), {})
        .Typed("40k").Shows("50 kHz"),
    Row("BmRateNegativeUp", ID_PANELS_BM, IDC_BM_RATE, Arrows(IDC_BM_RATE_SPIN, 1), {})
        .Typed("-5").Shows("-4 Hz"),
    Row("BmRateNegativeDown", ID_PANELS_BM, IDC_BM_RATE, Arrows(IDC_BM_RATE_SPIN, -1), {})
        .Typed("-5").Shows("10 mHz"),
    // The count steps by one between 1 and INF; a typed count above 50001 is INF.
    Row("BmCountUpToMax", ID_PANELS_BM, IDC_BM_COUNT, Arrows(IDC_BM_COUNT_SPIN, 1), {})
        .Typed("49999").Shows("50000 Cycles"),
    Row("BmCountUpToInf", ID_PANELS_BM, IDC_BM_COUNT, Arrows(IDC_BM_COUNT_SPIN, 3), {})
        .Typed("49999").Shows("INF Cycles"),
    Row("BmCountDownFromInf", ID_PANELS_BM, IDC_BM_COUNT, Arrows(IDC_BM_COUNT_SPIN, -1), {})
        .ShownFirst({{S::kBmCount, 0}}).Shows("50000 Cycles"),
    Row("BmCountDownToMin", ID_PANELS_BM, IDC_BM_COUNT, Arrows(IDC_BM_COUNT_SPIN, -2), {})
        .Typed("2").Shows("1 Cycles"),
    Row("BmCountUpFromZero", ID_PANELS_BM, IDC_BM_COUNT, Arrows(IDC_BM_COUNT_SPIN, 1), {})
        .Typed("0").Shows("1 Cycles"),
    Row("BmCountUpFrom50001", ID_PANELS_BM, IDC_BM_COUNT, Arrows(IDC_BM_COUNT_SPIN, 1), {})
        .Typed("50001").Shows("INF Cycles"),
    Row("BmCountUpAboveRange", ID_PANELS_BM, IDC_BM_COUNT, Arrows(IDC_BM_COUNT_SPIN, 1), {})
        .Typed("70000").Shows("INF Cycles"),
    Row("BmCountDownAboveRange", ID_PANELS_BM, IDC_BM_COUNT, Arrows(IDC_BM_COUNT_SPIN, -1), {})
        .Typed("70000").Shows("50000 Cycles"),
    // Released at INF the arrow sends 0, which the in-memory instrument keeps.
    Row("BmCountReleasedAboveRange", ID_PANELS_BM, IDC_BM_COUNT, Released(IDC_BM_COUNT_SPIN, 0),
        {"SetBmCount(0)", "GetBmCount(1)"}).Typed("70000").Shows("INF Cycles"),
    Row("BmCountReleasedAtInf", ID_PANELS_BM, IDC_BM_COUNT, Released(IDC_BM_COUNT_SPIN, 1),
        {"SetBmCount(0)", "GetBmCount(1)"}).Typed("50000").Shows("INF Cycles")
        .Kept({{S::kBmCount, 0}}),
    Row("BmCountReleasedBelowInf", ID_PANELS_BM, IDC_BM_COUNT, Released(IDC_BM_COUNT_SPIN, -3),
        {"SetBmCount(49998)", "GetBmCount(1)"}).ShownFirst({{S::kBmCount, 0}}).Shows("49998 Cycles"),
    // A refused count and a failed carrier read are both reported.
    Row("BmCountRefusedCarrierLost", ID_PANELS_BM, IDC_BM_COUNT, Released(IDC_BM_COUNT_SPIN, 1),
        {"SetBmCount(6)", "GetFreq(1)", "DeviceClear()", "GetBmCount(1)"})
        .Typed("5").Failing("SetBmCount").TimesOut("GetFreq"),
};

class EngineTable : public CPanelTest, public ::testing::WithParamInterface<CEngineRow> {};

TEST_P(EngineTable, Row) {
  const CEngineRow& row = GetParam();
  Open(row.m_panel);
  Remember(*instrument, row.m_shownFirst);
  // Tab rows start from the focus the panel opens with, which a redisplay moves.
  if (row.m_action.m_kind != EAction::kTabs) Redisplay();
  Remember(*instrument, row.m_held);
  for (const auto& [id, text] : row.m_typed) TypeInto(panel, id, text);
  for (const auto& [operation, status] : row.m_failures) instrument->Fail(operation, status);
  instrument->Take();
  CBoxWatcher boxes;
  Perform(panel, row.m_control, row.m_action);

  EXPECT_EQ(instrument->Take(), row.m_calls);
  EXPECT_EQ(boxes.Texts(), row.m_boxes);
  EXPECT_EQ(WaitCursorDepth(), 0);
  EXPECT_EQ(app.Panel(), panel);
  EXPECT_TRUE(::IsWindowVisible(panel));
  for (const auto& [id, text] : row.m_shows) EXPECT_EQ(Shown(id), text) << "control " << id;
  for (const auto& [id, items] : row.m_lists) EXPECT_EQ(Items(id), items) << "control " << id;
  for (const CValue& kept : row.m_kept) {
    const CSetting& setting = SettingRow(kept.m_setting);
    EXPECT_EQ(instrument->Remembered(setting).m_number, kept.m_number) << setting.m_header;
  }
  if (row.m_focus != 0) {
    EXPECT_EQ(FocusedId(), row.m_focus);
  }
  if (!row.m_waitAt.first.empty()) {
    EXPECT_EQ(instrument->m_waitDepthAt[row.m_waitAt.first], row.m_waitAt.second);
  }
  if (row.m_textLimit != 0) {
    EXPECT_EQ(::SendDlgItemMessageA(panel, row.m_control, EM_GETLIMITTEXT, 0, 0), row.m_textLimit);
  }
}

INSTANTIATE_TEST_SUITE_P(SevenPanels, EngineTable, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.m_name); });

}  // namespace
