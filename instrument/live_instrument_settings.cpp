// The settings of the live instrument, as the setting table gives them: each
// Set sends one command and keeps the value once the driver took it; each Get
// with the query flag asks the instrument and keeps its reply.

#include <algorithm>

#include "instrument/live_instrument.h"
#include "instrument/reply_decoding.h"
#include "instrument/setting_text.h"

namespace {

constexpr int32_t kTextReplySize = 31;

ViString Text(const char* text) { return const_cast<ViString>(text); }

std::string QueryOf(const CSetting& row) { return std::string(row.m_header) + "?"; }

}  // namespace

void CLiveInstrument::SendCommand(const std::string& command) {
  std::string text = command;
  CallOrThrow(m_entry.tgq3207_cmd, &text[0]);
}

std::string CLiveInstrument::QueryText(const char* query, int32_t size) {
  // Room for `size` characters and the NUL; a driver that leaves the NUL out
  // still ends its reply at the size it was given.
  std::string reply(static_cast<size_t>(size) + 1, '\0');
  CallOrThrow(m_entry.tgq3207_cmdString_Q, Text(query), size, &reply[0]);
  reply.erase(std::find(reply.begin(), reply.begin() + size, '\0'), reply.end());
  return reply;
}

void CLiveInstrument::SendSetting(const CSetting& row, double value) {
  CallOrThrow(m_entry.tgq3207_cmdReal, Text(row.m_header), value);
}

void CLiveInstrument::SendSetting(const CSetting& row, int16_t code) {
  SendCommand(SettingCommand(row, {static_cast<double>(code), {}}));
}

// A count in range goes out as a number; any other as the word for an
// infinite burst.
void CLiveInstrument::SendSetting(const CSetting& row, int32_t count) {
  if (count >= row.m_min && count <= row.m_max)
    CallOrThrow(m_entry.tgq3207_cmdInt, Text(row.m_header), count);
  else
    SendCommand(SettingCommand(row, {static_cast<double>(count), {}}));
}

// The name goes out whole, however long: a cut name would select another
// waveform.
void CLiveInstrument::SendSetting(const CSetting& row, const std::string& name) {
  SendCommand(std::string(row.m_header) + " " + name);
}

// The reply goes straight into the remembered value.
double CLiveInstrument::QuerySetting(const CSetting& row, int16_t query, double& setting) {
  if (query != 0) CallOrThrow(m_entry.tgq3207_cmdReal64_Q, &QueryOf(row)[0], &setting);
  return setting;
}

int16_t CLiveInstrument::QuerySetting(const CSetting& row, int16_t query, int16_t& setting) {
  if (query == 0) return setting;
  std::string text = QueryOf(row);
  if (row.m_reply == EReplyForm::kKeyword) {
    if (std::optional<int16_t> code = DecodeKeyword(*row.m_words, QueryText(&text[0], kTextReplySize).c_str()))
      setting = *code;
  } else if (row.m_reply == EReplyForm::kLoad) {
    ViReal64 ohms = 0;
    CallOrThrow(m_entry.tgq3207_cmdReal64_Q, &text[0], &ohms);
    setting = DecodeLoad(ohms);
  } else {
    ViInt16 reply = 0;
    CallOrThrow(m_entry.tgq3207_cmdInt16_Q, &text[0], &reply);
    setting = reply;
  }
  return setting;
}

int32_t CLiveInstrument::QuerySetting(const CSetting& row, int16_t query, int32_t& setting) {
  if (query != 0) {
    ViReal64 cycles = 0;
    CallOrThrow(m_entry.tgq3207_cmdReal64_Q, &QueryOf(row)[0], &cycles);
    setting = DecodeBmCount(cycles);
  }
  return setting;
}

#define SFP_LIVE_VALUE(Name, Type, member)                            \
  void CLiveInstrument::Set##Name(Type value) {                       \
    SendSetting(SettingRow(ESetting::k##Name), value);                \
    member = value;                                                   \
  }                                                                   \
  Type CLiveInstrument::Get##Name(int16_t query) {                    \
    return QuerySetting(SettingRow(ESetting::k##Name), Asked(query), member); \
  }
#define SFP_LIVE_Real(Name, member) SFP_LIVE_VALUE(Name, double, member)
#define SFP_LIVE_Choice(Name, member) SFP_LIVE_VALUE(Name, int16_t, member)
#define SFP_LIVE_Integer(Name, member) SFP_LIVE_VALUE(Name, int32_t, member)
#define SFP_LIVE_Name(Name, member)                                             \
  void CLiveInstrument::Set##Name(std::string name) {                           \
    SendSetting(SettingRow(ESetting::k##Name), name);                           \
    member = name;                                                              \
  }                                                                             \
  void CLiveInstrument::Get##Name(std::string& text, int16_t query) {           \
    text.clear();                                                               \
    if (Asked(query) != 0) {                                                    \
      text = QueryText(QueryOf(SettingRow(ESetting::k##Name)).c_str(), kTextReplySize); \
      StripTrailingControl(text);                                               \
      member = text;                                                            \
    }                                                                           \
    text = member;                                                              \
  }
#define SFP_LIVE_SETTING(Name, Kind, member, ...) SFP_LIVE_##Kind(Name, member)

SFP_SETTINGS(SFP_LIVE_SETTING)
