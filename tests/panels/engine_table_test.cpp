// What every panel does through the shared setting engine, as one table over
// the seven panels. Each row starts the program afresh on the recording
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
#include "tests/support/panel_driver.h"
#include "tests/support/panel_test.h"

namespace {

enum class EAction {
  kClick, kAltClick, kDoubleClick,
  kChoose, kAltChoose, kOpenList, kAltOpenList,
  kEnter, kTypeAndLeave, kFocus, kAltFocus,
  kTabs, kKey, kHoldKey
};

struct CAction {
  EAction m_kind;
  int m_item = 0;      // kChoose, kAltChoose
  std::string m_text{};  // kEnter, kTypeAndLeave
  int m_repeats = 1;     // kHoldKey
};

const CAction kClick{EAction::kClick};
const CAction kAltClick{EAction::kAltClick};
const CAction kDoubleClick{EAction::kDoubleClick};
const CAction kOpenList{EAction::kOpenList};
const CAction kAltOpenList{EAction::kAltOpenList};
const CAction kFocus{EAction::kFocus};
const CAction kAltFocus{EAction::kAltFocus};
CAction Choose(int item) { return {EAction::kChoose, item}; }
CAction AltChoose(int item) { return {EAction::kAltChoose, item}; }
CAction Enter(std::string text) { return {EAction::kEnter, 0, std::move(text)}; }
CAction TypeAndLeave(std::string text) { return {EAction::kTypeAndLeave, 0, std::move(text)}; }
// Tab pressed `presses` times from the focus the panel opens with.
CAction Tabs(int presses) { return {EAction::kTabs, presses}; }
// The focus into the control, then key `vk` pressed and let go.
CAction Key(UINT vk) { return {EAction::kKey, static_cast<int>(vk)}; }
// The focus into the control, then key `vk` held for `repeats` presses.
CAction Hold(UINT vk, int repeats) { return {EAction::kHoldKey, static_cast<int>(vk), "", repeats}; }

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
  const char* m_failing = nullptr;  // fails once with "API failure."
  Texts m_shows{};             // control -> what it shows afterwards
  Values m_kept{};             // remembered afterwards
  int m_focus = 0;           // the control with the focus afterwards (0: not checked)
  std::pair<std::string, int> m_waitAt{};  // a call and the wait cursor's depth at it

  CEngineRow& ShownFirst(Values values) { m_shownFirst = std::move(values); return *this; }
  CEngineRow& Held(Values values) { m_held = std::move(values); return *this; }
  CEngineRow& Failing(const char* operation) { m_failing = operation; return *this; }
  CEngineRow& Shows(Texts texts) { m_shows = std::move(texts); return *this; }
  CEngineRow& Shows(const std::string& text) { return Shows({{m_control, text}}); }
  CEngineRow& Kept(Values values) { m_kept = std::move(values); return *this; }
  CEngineRow& Focus(int id) { m_focus = id; return *this; }
  CEngineRow& WaitDepthAt(const std::string& call, int depth) {
    m_waitAt = {call, depth};
    return *this;
  }
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

const CEngineRow kRows[] = {
    // Switching a mode on switches the others off; its state is read back
    // from the modes, also when it was refused.
    Row("AmStateOn", ID_PANELS_AM, IDC_AM_STATE, kClick,
        {"SetAmState(1)", "SyncModes()", "GetAmState(0)"})
        .Held({{S::kFmState, 1}, {S::kFskState, 1}}).Shows("On")
        .Kept({{S::kFmState, 0}, {S::kFskState, 0}}),
    Row("FmStateOn", ID_PANELS_FM, IDC_FM_STATE, kClick,
        {"SetFmState(1)", "SyncModes()", "GetFmFreq(1)", "GetFmDev(1)", "GetFmState(0)"})
        .Held({{S::kBmState, 1}}).Shows("On").Kept({{S::kBmState, 0}}),
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
    Row("BmMode", ID_PANELS_BM, IDC_BM_MODE, Choose(1), {"SetBmSource(1)", "GetBmSource(1)"}),
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
        .WaitDepthAt("GetUserFunc(1)", 0),
    Row("FmUserAltFocus", ID_PANELS_FM, IDC_FM_USER, kAltFocus, {"GetUserFunc(1)"})
        .Focus(IDC_FM_USER).WaitDepthAt("GetUserFunc(1)", 0),
    Row("MainUserAltFocus", ID_PANELS_MAIN, IDC_MAIN_USER, kAltFocus, {"GetUserFunc(1)"})
        .Focus(IDC_MAIN_USER).WaitDepthAt("GetUserFunc(1)", 0),
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
    Row("MainTabs0", ID_PANELS_MAIN, 0, Tabs(0), {}).Focus(IDC_MAIN_FUNC),
    Row("MainTabs1", ID_PANELS_MAIN, 0, Tabs(1), {}).Focus(IDC_MAIN_USER),
    // Leaving a field shows its remembered value again.
    Row("MainTabs2", ID_PANELS_MAIN, 0, Tabs(2), {"GetUserFunc(0)"}).Focus(IDC_MAIN_FREQ),
    Row("MainTabs5", ID_PANELS_MAIN, 0, Tabs(5),
        {"GetUserFunc(0)", "GetFreq(0)", "GetAmpl(0)", "GetOffset(0)"})
        .Focus(IDC_MAIN_DUTY),
    Row("MainTabs7", ID_PANELS_MAIN, 0, Tabs(7),
        {"GetUserFunc(0)", "GetFreq(0)", "GetAmpl(0)", "GetOffset(0)", "GetDutyCycle(0)"})
        .Focus(IDC_MAIN_FUNC),
    Row("AmTabs0", ID_PANELS_AM, 0, Tabs(0), {}).Focus(IDC_AM_SOURCE),
    Row("AmTabs1", ID_PANELS_AM, 0, Tabs(1), {}).Focus(IDC_AM_FUNC),
    Row("AmTabs5", ID_PANELS_AM, 0, Tabs(5), {"GetUserFunc(0)", "GetAmDepth(0)", "GetAmFreq(0)"})
        .Focus(IDC_AM_STATE),
    Row("BmTabs1", ID_PANELS_BM, 0, Tabs(1), {}).Focus(IDC_BM_COUNT),
    Row("BmTabs4", ID_PANELS_BM, 0, Tabs(4), {"GetBmCount(0)", "GetBmPhase(0)", "GetBmRate(0)"})
        .Focus(IDC_BM_TRIG_SOURCE),
    Row("BmTabs7", ID_PANELS_BM, 0, Tabs(7), {"GetBmCount(0)", "GetBmPhase(0)", "GetBmRate(0)"})
        .Focus(IDC_BM_BUS_TRIGGER),
    Row("FmTabs0", ID_PANELS_FM, 0, Tabs(0), {}).Focus(IDC_FM_FUNC),
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
};

class EngineTable : public CPanelTest, public ::testing::WithParamInterface<CEngineRow> {
 protected:
  void Perform(int id, const CAction& action) {
    switch (action.m_kind) {
      case EAction::kClick: ClickButton(panel, id); break;
      case EAction::kAltClick: { CAltKeyHeld alt; ClickButton(panel, id); } break;
      case EAction::kDoubleClick: DoubleClickButton(panel, id); break;
      case EAction::kChoose: ChooseItem(panel, id, action.m_item); break;
      case EAction::kAltChoose: {
        FocusOn(panel, id);
        CAltKeyHeld alt;
        ChooseItem(panel, id, action.m_item);
      } break;
      case EAction::kOpenList: OpenList(panel, id); break;
      case EAction::kAltOpenList: { CAltKeyHeld alt; OpenList(panel, id); } break;
      case EAction::kEnter: EnterValue(panel, id, action.m_text); break;
      case EAction::kTypeAndLeave:
        FocusOn(panel, id);
        TypeInto(panel, id, action.m_text);
        PressKey(VK_TAB);
        break;
      case EAction::kFocus: FocusOn(panel, id); break;
      case EAction::kAltFocus: { CAltKeyHeld alt; FocusOn(panel, id); } break;
      case EAction::kTabs:
        for (int i = 0; i < action.m_item; ++i) PressKey(VK_TAB);
        break;
      case EAction::kKey:
        FocusOn(panel, id);
        PressKey(static_cast<UINT>(action.m_item));
        break;
      case EAction::kHoldKey:
        FocusOn(panel, id);
        HoldKey(static_cast<UINT>(action.m_item), action.m_repeats);
        break;
    }
  }
};

TEST_P(EngineTable, Row) {
  const CEngineRow& row = GetParam();
  Open(row.m_panel);
  Remember(*instrument, row.m_shownFirst);
  // Tab rows start from the focus the panel opens with, which a redisplay moves.
  if (row.m_action.m_kind != EAction::kTabs) Redisplay();
  Remember(*instrument, row.m_held);
  if (row.m_failing != nullptr) instrument->Fail(row.m_failing, -1);
  instrument->Take();
  CBoxWatcher boxes;
  Perform(row.m_control, row.m_action);

  EXPECT_EQ(instrument->Take(), row.m_calls);
  EXPECT_EQ(boxes.Texts(), row.m_failing != nullptr ? Calls{"API failure."} : Calls{});
  EXPECT_EQ(WaitCursorDepth(), 0);
  for (const auto& [id, text] : row.m_shows) EXPECT_EQ(Shown(id), text) << "control " << id;
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
}

INSTANTIATE_TEST_SUITE_P(SevenPanels, EngineTable, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.m_name); });

}  // namespace
