#include "instrument/setting_table.h"

#include <iterator>
#include <vector>

#include "instrument/instrument.h"
#include "scpi/scpi_words.h"

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
   #Name,                                                                                      \
   &CInstrument::member},

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
