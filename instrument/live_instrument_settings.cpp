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

void CLiveInstrument::SetSetting(const CSetting& row, const CSettingValue& value) {
  switch (row.m_kind) {
    case ESettingKind::kReal:
      CallOrThrow(m_entry.tgq3207_cmdReal, Text(row.m_header), value.m_number);
      break;
    case ESettingKind::kChoice:
      SendCommand(SettingCommand(row, SettingValueOf(SettingValueAs<int16_t>(value))));
      break;
    case ESettingKind::kInteger:
      SendCount(row, SettingValueAs<int32_t>(value));
      break;
    case ESettingKind::kName:
      // The name goes out whole, however long: a cut name would select another
      // waveform.
      SendCommand(std::string(row.m_header) + " " + value.m_name);
      break;
  }
  Remember(row, value);
}

// A count in range goes out as a number; any other as the word for an
// infinite burst.
void CLiveInstrument::SendCount(const CSetting& row, int32_t count) {
  if (count >= row.m_min && count <= row.m_max)
    CallOrThrow(m_entry.tgq3207_cmdInt, Text(row.m_header), count);
  else
    SendCommand(SettingCommand(row, SettingValueOf(count)));
}

// While the link is down a query answers the remembered value. A number's
// reply goes straight into the remembered value.
CSettingValue CLiveInstrument::GetSetting(const CSetting& row, int16_t query) {
  if (Asked(query) == 0) return Remembered(row);
  switch (row.m_kind) {
    case ESettingKind::kReal:
      CallOrThrow(m_entry.tgq3207_cmdReal64_Q, &QueryOf(row)[0], &Member<double>(row));
      break;
    case ESettingKind::kChoice:
      QueryChoice(row);
      break;
    case ESettingKind::kInteger: {
      ViReal64 cycles = 0;
      CallOrThrow(m_entry.tgq3207_cmdReal64_Q, &QueryOf(row)[0], &cycles);
      Member<int32_t>(row) = DecodeBmCount(cycles);
      break;
    }
    case ESettingKind::kName:
      QueryName(row);
      break;
  }
  return Remembered(row);
}

void CLiveInstrument::QueryChoice(const CSetting& row) {
  int16_t& setting = Member<int16_t>(row);
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
}

void CLiveInstrument::QueryName(const CSetting& row) {
  std::string text = QueryText(QueryOf(row).c_str(), kTextReplySize);
  StripTrailingControl(text);
  Member<std::string>(row) = text;
}
