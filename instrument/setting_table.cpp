#include "instrument/setting_table.h"

#include <iterator>
#include <vector>

#include "instrument/instrument.h"
#include "scpi/scpi_words.h"

namespace {

template <size_t N>
constexpr CChoiceWords Words(const CChoiceWord (&words)[N], int16_t otherCode) {
  return {words, N, otherCode};
}

const CChoiceWords kNoWords{nullptr, 0, 0};

const CChoiceWord kFunctions[] = {{0, "SIN", "SINUSOID"}, {1, "SQU", "SQUARE"}, {2, "TRI", "TRIANGLE"},
                                  {3, "RAMP"},             {4, "NOISE"},         {5, "USER"},
                                  {6, "DC"}};
const CChoiceWords kFunctionWords = Words(kFunctions, 6);
// The modulating functions: the output's without DC.
const CChoiceWords kModulationWords{kFunctions, 6, 5};
const CChoiceWord kOnOff[] = {{0, "OFF"}, {1, "ON"}};
const CChoiceWords kOnOffWords = Words(kOnOff, 1);
const CChoiceWord kLoads[] = {{0, "INF", "INFINITY"}, {1, "50"}};
const CChoiceWords kLoadWords = Words(kLoads, 1);
const CChoiceWord kAmSources[] = {{0, "BOTH"}, {1, "EXT", "EXTERNAL"}};
const CChoiceWords kAmSourceWords = Words(kAmSources, 1);
const CChoiceWord kIntExt[] = {{0, "INT", "INTERNAL"}, {1, "EXT", "EXTERNAL"}};
const CChoiceWords kIntExtWords = Words(kIntExt, 1);
const CChoiceWord kSpacings[] = {{0, "LIN", "LINEAR"}, {1, "LOG", "LOGARITHMIC"}};
const CChoiceWords kSpacingWords = Words(kSpacings, 1);
const CChoiceWord kSlopes[] = {{0, "NEG", "NEGATIVE"}, {1, "POS", "POSITIVE"}};
const CChoiceWords kSlopeWords = Words(kSlopes, 1);
// Immediate, external, the bus, and the eight TTL trigger lines TTLT0 to TTLT7.
const CChoiceWord kTrigSources[] = {{0, "IMM", "IMMEDIATE"}, {1, "EXT", "EXTERNAL"}, {2, "BUS"}};
const CChoiceWords kTrigSourceWords{kTrigSources, 3, 0, "TTLT", 3, 8};
// A burst count out of range is an infinite burst.
const CChoiceWord kInfiniteCount[] = {{0, "INF", "INFINITY"}};
const CChoiceWords kInfiniteCountWords = Words(kInfiniteCount, 0);

CSettingValue ValueOf(double number) { return {number, {}}; }
CSettingValue ValueOf(const std::string& name) { return {0, name}; }

template <typename T>
T ValueAs(const CSettingValue& value) {
  return static_cast<T>(value.m_number);
}
template <>
std::string ValueAs<std::string>(const CSettingValue& value) {
  return value.m_name;
}

}  // namespace

#define SFP_SET_THROUGH_Real(i, Name, v) i.Set##Name(v.m_number)
#define SFP_SET_THROUGH_Choice(i, Name, v) i.Set##Name(static_cast<int16_t>(v.m_number))
#define SFP_SET_THROUGH_Integer(i, Name, v) i.Set##Name(static_cast<int32_t>(v.m_number))
#define SFP_SET_THROUGH_Name(i, Name, v) i.Set##Name(v.m_name)
#define SFP_QUERY_THROUGH_Real(i, Name) i.Get##Name(1)
#define SFP_QUERY_THROUGH_Choice(i, Name) i.Get##Name(1)
#define SFP_QUERY_THROUGH_Integer(i, Name) i.Get##Name(1)
#define SFP_QUERY_THROUGH_Name(i, Name) \
  std::string text;                     \
  i.Get##Name(text, 1)

#define SFP_READ_BY_SYNC_MODES_Modes true
#define SFP_READ_BY_SYNC_MODES_All false

#define SFP_SETTING_ROW(Name, Kind, member, header, reply, words, def, lo, hi, recall, sync, spelling) \
  {ESetting::k##Name,                                                                          \
   ESettingKind::k##Kind,                                                                      \
   header,                                                                                     \
   EReplyForm::k##reply,                                                                       \
   &words,                                                                                     \
   def,                                                                                        \
   lo,                                                                                         \
   hi,                                                                                         \
   ERecallGroup::k##recall,                                                                    \
   SFP_READ_BY_SYNC_MODES_##sync,                                                              \
   spelling,                                                                                   \
   [](CInstrument& i, const CSettingValue& v) { SFP_SET_THROUGH_##Kind(i, Name, v); },         \
   [](CInstrument& i) { SFP_QUERY_THROUGH_##Kind(i, Name); },                                  \
   [](const CInstrument& i) { return ValueOf(i.member); },                                     \
   [](CInstrument& i, const CSettingValue& v) { i.member = ValueAs<decltype(i.member)>(v); }},

const CSetting kSettingTable[] = {SFP_SETTINGS(SFP_SETTING_ROW)};
const size_t kSettingCount = std::size(kSettingTable);

const CSetting& SettingRow(ESetting id) { return kSettingTable[static_cast<size_t>(id)]; }

const CSetting* FindSettingByHeader(const std::string& header) {
  for (const CSetting& row : kSettingTable)
    if (scpi::SameWordIgnoringCase(row.m_header, header)) return &row;
  return nullptr;
}

const CSetting* FindSettingBySpelling(std::string_view header) {
  std::vector<std::string> path = scpi::HeaderPath(header);
  if (path.empty()) return nullptr;
  for (const CSetting& row : kSettingTable)
    if (scpi::HeaderPattern(row.m_spelling).Matches(path)) return &row;
  return nullptr;
}

std::string ChoiceWord(const CChoiceWords& words, int16_t code) {
  for (size_t i = 0; i < words.m_count; ++i)
    if (words.m_words[i].m_code == code) return words.m_words[i].m_word;
  if (words.m_numbered != nullptr)
    return words.m_numbered + std::to_string(code - words.m_firstNumbered);
  return ChoiceWord(words, words.m_otherCode);
}
