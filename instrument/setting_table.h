// The one table of the instrument's settings. A row of SFP_SETTINGS gives
// everything the program knows of one setting; adding a setting means adding a
// row. From the rows come the remembered members of the instrument, the
// Set<Name> and Get<Name> that pass through them (written out in instrument.h),
// the power-on defaults, the live instrument's
// commands and queries, the reply decoding, the order of Sync, and the setup
// file's commands and the order in which a recall applies them.
//
// Columns:
//   Name     Set<Name> and Get<Name> of the instrument interface
//   Kind     Real, Choice (a code), Integer (a count) or Name (text)
//   member   the remembered value in CInstrument
//   header   the SCPI header as the driver takes it; the query is header + "?"
//   reply    how a query's reply becomes the remembered value:
//            Number (the number itself), Keyword (decoded by the words),
//            Load (ohms, above 75 is infinite), Count (cycles, infinite as 0),
//            Text (a name, one trailing control character dropped)
//   words    the choice's codes and SCPI words (Integer: the word for a value
//            out of range)
//   default  the power-on value, written as a setup file writes it
//   min max  the instrument's absolute range (Real, Integer)
//   recall   the group in the order of a recall: Mode (off first, on last),
//            Shape, Level, then ModeSetting
//   sync     Modes: read by SyncModes; All: read by Sync after SyncModes
//   spelling the header as the instrument takes it, short form in upper case and
//            optional nodes in brackets: a setup file may spell it any such way
//
// The rows stand in the order in which Sync reads them.
#pragma once

// clang-format off
#define SFP_SETTINGS(X) \
/*  Name          Kind     member          header                 reply    words                default  min     max    recall       sync    spelling */ \
  X(Func,         Choice,  m_func,         "FUNC",                Keyword, kFunctionWords,      "SIN",   0,      0,     Shape,       Modes, "[SOURce]:FUNCtion[:SHAPe]"                        ) \
  X(Freq,         Real,    m_freq,         "FREQ",                Number,  kNoWords,            "1000",  0.0001, 15e6,  Level,       Modes, "[SOURce]:FREQuency"                               ) \
  X(AmState,      Choice,  m_amState,      "AM:STAT",             Number,  kOnOffWords,         "OFF",   0,      0,     Mode,        Modes, "[SOURce]:AM:STATe"                                ) \
  X(FmState,      Choice,  m_fmState,      "FM:STAT",             Number,  kOnOffWords,         "OFF",   0,      0,     Mode,        Modes, "[SOURce]:FM:STATe"                                ) \
  X(SweepState,   Choice,  m_sweepState,   "SWE:STAT",            Number,  kOnOffWords,         "OFF",   0,      0,     Mode,        Modes, "[SOURce]:SWEep:STATe"                             ) \
  X(BmState,      Choice,  m_bmState,      "BM:STAT",             Number,  kOnOffWords,         "OFF",   0,      0,     Mode,        Modes, "[SOURce]:BM:STATe"                                ) \
  X(FskState,     Choice,  m_fskState,     "FSK:STAT",            Number,  kOnOffWords,         "OFF",   0,      0,     Mode,        Modes, "[SOURce]:FSKey:STATe"                             ) \
  X(Ampl,         Real,    m_ampl,         "VOLT:UNIT VPP;:VOLT", Number,  kNoWords,            "0.1",   0.05,   20,    Level,       All, "[SOURce]:VOLTage[:LEVel][:IMMediate][:AMPLitude]" ) \
  X(Offset,       Real,    m_offset,       "VOLT:OFFS",           Number,  kNoWords,            "0",     -10,    10,    Level,       All, "[SOURce]:VOLTage[:LEVel][:IMMediate]:OFFSet"      ) \
  X(DutyCycle,    Real,    m_dutyCycle,    "PULS:DCYC",           Number,  kNoWords,            "50",    20,     80,    Level,       All, "[SOURce]:PULSe:DCYCle"                            ) \
  X(Load,         Choice,  m_load,         "OUTP:LOAD",           Load,    kLoadWords,          "50",    0,      0,     Shape,       All, "OUTPut:LOAD"                                      ) \
  X(AmSource,     Choice,  m_amSource,     "AM:SOUR",             Keyword, kAmSourceWords,      "BOTH",  0,      0,     ModeSetting, All, "[SOURce]:AM:SOURce"                               ) \
  X(FmFunc,       Choice,  m_fmFunc,       "FM:INT:FUNC",         Keyword, kModulationWords,    "SIN",   0,      0,     ModeSetting, All, "[SOURce]:FM:INTernal:FUNCtion"                    ) \
  X(AmFunc,       Choice,  m_amFunc,       "AM:INT:FUNC",         Keyword, kModulationWords,    "SIN",   0,      0,     ModeSetting, All, "[SOURce]:AM:INTernal:FUNCtion"                    ) \
  X(FmFreq,       Real,    m_fmFreq,       "FM:INT:FREQ",         Number,  kNoWords,            "100",   0.01,   10e3,  ModeSetting, All, "[SOURce]:FM:INTernal:FREQuency"                   ) \
  X(AmFreq,       Real,    m_amFreq,       "AM:INT:FREQ",         Number,  kNoWords,            "100",   0.01,   20e3,  ModeSetting, All, "[SOURce]:AM:INTernal:FREQuency"                   ) \
  X(FmDev,        Real,    m_fmDev,        "FM:DEV",              Number,  kNoWords,            "100",   0.01,   7.5e6, ModeSetting, All, "[SOURce]:FM:DEViation"                            ) \
  X(AmDepth,      Real,    m_amDepth,      "AM:DEPT",             Number,  kNoWords,            "100",   0,      120,   ModeSetting, All, "[SOURce]:AM:DEPTh"                                ) \
  X(SweepTime,    Real,    m_sweepTime,    "SWE:TIME",            Number,  kNoWords,            "1",     0.001,  500,   ModeSetting, All, "[SOURce]:SWEep:TIME"                              ) \
  X(StartFreq,    Real,    m_startFreq,    "FREQ:STAR",           Number,  kNoWords,            "100",   0.01,   15e6,  ModeSetting, All, "[SOURce]:FREQuency:STARt"                         ) \
  X(StopFreq,     Real,    m_stopFreq,     "FREQ:STOP",           Number,  kNoWords,            "1000",  0.01,   15e6,  ModeSetting, All, "[SOURce]:FREQuency:STOP"                          ) \
  X(SweepSpacing, Choice,  m_sweepSpacing, "SWE:SPAC",            Keyword, kSpacingWords,       "LIN",   0,      0,     ModeSetting, All, "[SOURce]:SWEep:SPACing"                           ) \
  X(TrigSource,   Choice,  m_trigSource,   "TRIG:SOUR",           Keyword, kTrigSourceWords,    "IMM",   0,      0,     ModeSetting, All, "TRIGger[:SEQuence]:SOURce"                        ) \
  X(UserFunc,     Name,    m_userFunc,     "FUNC:USER",           Text,    kNoWords,            "SINC",  0,      0,     Shape,       All, "[SOURce]:FUNCtion:USER"                           ) \
  X(BmSource,     Choice,  m_bmSource,     "BM:SOUR",             Keyword, kIntExtWords,        "INT",   0,      0,     ModeSetting, All, "[SOURce]:BM:SOURce"                               ) \
  X(BmCount,      Integer, m_bmCount,      "BM:NCYC",             Count,   kInfiniteCountWords, "1",     1,      50000, ModeSetting, All, "[SOURce]:BM:NCYCles"                              ) \
  X(BmPhase,      Real,    m_bmPhase,      "BM:PHAS",             Number,  kNoWords,            "0",     -360,   360,   ModeSetting, All, "[SOURce]:BM:PHASe"                                ) \
  X(BmRate,       Real,    m_bmRate,       "BM:INT:RATE",         Number,  kNoWords,            "100",   0.01,   50e3,  ModeSetting, All, "[SOURce]:BM:INTernal:RATE"                        ) \
  X(TrigSlope,    Choice,  m_trigSlope,    "TRIG:SLOP",           Keyword, kSlopeWords,         "POS",   0,      0,     ModeSetting, All, "TRIGger[:SEQuence]:SLOPe"                         ) \
  X(FskFreq,      Real,    m_fskFreq,      "FSK:FREQ",            Number,  kNoWords,            "100",   0.01,   15e6,  ModeSetting, All, "[SOURce]:FSKey:FREQuency"                         ) \
  X(FskSource,    Choice,  m_fskSource,    "FSK:SOUR",            Keyword, kIntExtWords,        "INT",   0,      0,     ModeSetting, All, "[SOURce]:FSKey:SOURce"                            ) \
  X(FskRate,      Real,    m_fskRate,      "FSK:INT:RATE",        Number,  kNoWords,            "10",    0.01,   50e3,  ModeSetting, All, "[SOURce]:FSKey:INTernal:RATE"                     )
// clang-format on

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <variant>

#include "instrument/choice_words.h"

class CInstrument;

enum class ESetting {
#define SFP_SETTING_ID(Name, ...) k##Name,
  SFP_SETTINGS(SFP_SETTING_ID)
#undef SFP_SETTING_ID
};

enum class ESettingKind { kReal, kChoice, kInteger, kName };
enum class EReplyForm { kNumber, kKeyword, kLoad, kCount, kText };
enum class ERecallGroup { kMode, kShape, kLevel, kModeSetting };

// The C++ type of each kind, in the order of ESettingKind: the remembered
// member's, the one Set<Name> takes and Get<Name> returns.
using CSettingTypes = std::tuple<double, int16_t, int32_t, std::string>;
template <ESettingKind kind>
using SettingType = std::tuple_element_t<static_cast<size_t>(kind), CSettingTypes>;

// The kind of each row, and so the C++ type of each setting, known as the
// program compiles.
constexpr ESettingKind kSettingKinds[] = {
#define SFP_SETTING_KIND(Name, Kind, ...) ESettingKind::k##Kind,
    SFP_SETTINGS(SFP_SETTING_KIND)
#undef SFP_SETTING_KIND
};
template <ESetting id>
using SettingTypeOf = SettingType<kSettingKinds[static_cast<size_t>(id)]>;

// A remembered member of the instrument, of one of the kinds' types.
template <typename Types>
struct CMemberOf;
template <typename... T>
struct CMemberOf<std::tuple<T...>> {
  using Type = std::variant<T CInstrument::*...>;
};
using CSettingMember = CMemberOf<CSettingTypes>::Type;

// A setting's value: the number (a choice's code, a count) or the name.
struct CSettingValue {
  double m_number = 0;
  std::string m_name;
  bool operator==(const CSettingValue& other) const {
    return m_number == other.m_number && m_name == other.m_name;
  }
};

inline CSettingValue SettingValueOf(double number) { return {number, {}}; }
inline CSettingValue SettingValueOf(std::string name) { return {0, std::move(name)}; }
template <typename T>
T SettingValueAs(const CSettingValue& value) {
  if constexpr (std::is_same_v<T, std::string>)
    return value.m_name;
  else
    return static_cast<T>(value.m_number);
}

struct CSetting {
  ESetting m_id;
  ESettingKind m_kind;
  const char* m_header;
  EReplyForm m_reply;
  const CChoiceWords* m_words;  // null for a real or a name
  const char* m_default;
  double m_min;
  double m_max;
  ERecallGroup m_recall;
  bool m_readBySyncModes;
  const char* m_spelling;
  const char* m_name;  // "Freq", as Set<Name> and Get<Name> spell it
  CSettingMember m_member;
};

// Every row, in the order of Sync.
extern const CSetting kSettingTable[];
extern const size_t kSettingCount;

const CSetting& SettingRow(ESetting id);
// The row whose header is `header`, compared without regard to case; null when none.
const CSetting* FindSettingByHeader(const std::string& header);
// The row whose spelling matches a header as written ("sour:freq", ":FREQUENCY");
// null when none.
const CSetting* FindSettingBySpelling(std::string_view header);
