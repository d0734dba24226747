#include "driver/tests/fake_visa.h"

#include <cstring>

namespace {

CFakeVisa g_fake;

// Records the call; true with `status` set when it is scripted to fail.
bool Fails(const std::string& function, const std::string& record, ViStatus& status) {
  g_fake.m_calls.push_back(record);
  auto it = g_fake.m_failures.find(function);
  if (it == g_fake.m_failures.end() || it->second.empty()) return false;
  status = it->second.front();
  it->second.pop_front();
  return true;
}

ViSession OpenSession() {
  ViSession session = g_fake.m_nextSession++;
  g_fake.m_open.insert(session);
  return session;
}

bool IsOpen(ViSession vi) { return g_fake.m_open.count(vi) != 0; }

std::string AttributeName(ViAttr attribute) {
  switch (attribute) {
    case VI_ATTR_TMO_VALUE: return "TMO_VALUE";
    case VI_ATTR_TERMCHAR: return "TERMCHAR";
    case VI_ATTR_TERMCHAR_EN: return "TERMCHAR_EN";
    default: return std::to_string(attribute);
  }
}

}  // namespace

CFakeVisa& FakeVisa() { return g_fake; }
void ResetFakeVisa() { g_fake = CFakeVisa(); }
void ScriptReply(const std::string& line) { ScriptRead(line + "\n", VI_SUCCESS_TERM_CHAR); }
void ScriptRead(const std::string& data, ViStatus status, ViUInt32 overReport) {
  g_fake.m_reads.push_back({data, status, overReport});
}
void FailNext(const std::string& function, ViStatus status) {
  g_fake.m_failures[function].push_back(status);
}
void ScriptStatusByte(ViUInt16 statusByte) { g_fake.m_statusBytes.push_back(statusByte); }

ViStatus _VI_FUNC viOpenDefaultRM(ViSession* vi) {
  ViStatus status = VI_SUCCESS;
  if (Fails("viOpenDefaultRM", "viOpenDefaultRM", status)) return status;
  *vi = OpenSession();
  return VI_SUCCESS;
}

ViStatus _VI_FUNC viOpen(ViSession sesn, ViRsrc name, ViAccessMode, ViUInt32, ViSession* vi) {
  ViStatus status = VI_SUCCESS;
  if (Fails("viOpen", std::string("viOpen:") + name, status)) return status;
  if (!IsOpen(sesn)) return VI_ERROR_INV_SESSION;
  *vi = OpenSession();
  return VI_SUCCESS;
}

ViStatus _VI_FUNC viClose(ViObject vi) {
  ViStatus status = VI_SUCCESS;
  if (Fails("viClose", "viClose:" + std::to_string(vi), status)) return status;
  return g_fake.m_open.erase(vi) != 0 ? VI_SUCCESS : VI_ERROR_INV_OBJECT;
}

ViStatus _VI_FUNC viSetAttribute(ViObject vi, ViAttr attribute, ViAttrState value) {
  ViStatus status = VI_SUCCESS;
  std::string record = "viSetAttribute:" + AttributeName(attribute) + "=" + std::to_string(value);
  if (Fails("viSetAttribute", record, status)) return status;
  return IsOpen(vi) ? VI_SUCCESS : VI_ERROR_INV_OBJECT;
}

ViStatus _VI_FUNC viWrite(ViSession vi, ViBuf buf, ViUInt32 cnt, ViUInt32* retCnt) {
  ViStatus status = VI_SUCCESS;
  std::string data(reinterpret_cast<const char*>(buf), cnt);
  if (Fails("viWrite", "viWrite:" + data, status)) return status;
  if (!IsOpen(vi)) return VI_ERROR_INV_SESSION;
  *retCnt = cnt;
  return VI_SUCCESS;
}

ViStatus _VI_FUNC viRead(ViSession vi, ViPBuf buf, ViUInt32 cnt, ViUInt32* retCnt) {
  ViStatus status = VI_SUCCESS;
  *retCnt = 0;
  if (Fails("viRead", "viRead:" + std::to_string(cnt), status)) return status;
  if (!IsOpen(vi)) return VI_ERROR_INV_SESSION;
  if (g_fake.m_reads.empty()) return VI_ERROR_TMO;
  CFakeRead& next = g_fake.m_reads.front();
  size_t count = next.m_data.size() < cnt ? next.m_data.size() : cnt;
  std::memcpy(buf, next.m_data.data(), count);
  *retCnt = static_cast<ViUInt32>(count) + next.m_overReport;
  if (count < next.m_data.size()) {
    next.m_data.erase(0, count);
    return VI_SUCCESS_MAX_CNT;
  }
  status = next.m_status;
  g_fake.m_reads.pop_front();
  return status;
}

ViStatus _VI_FUNC viClear(ViSession vi) {
  ViStatus status = VI_SUCCESS;
  if (Fails("viClear", "viClear", status)) return status;
  return IsOpen(vi) ? VI_SUCCESS : VI_ERROR_INV_SESSION;
}

ViStatus _VI_FUNC viReadSTB(ViSession vi, ViUInt16* statusByte) {
  ViStatus status = VI_SUCCESS;
  if (Fails("viReadSTB", "viReadSTB", status)) return status;
  if (!IsOpen(vi)) return VI_ERROR_INV_SESSION;
  *statusByte = 0;
  if (!g_fake.m_statusBytes.empty()) {
    *statusByte = g_fake.m_statusBytes.front();
    g_fake.m_statusBytes.pop_front();
  }
  return VI_SUCCESS;
}

ViStatus _VI_FUNC viAssertTrigger(ViSession vi, ViUInt16) {
  ViStatus status = VI_SUCCESS;
  if (Fails("viAssertTrigger", "viAssertTrigger", status)) return status;
  if (!g_fake.m_triggerSupported) return VI_ERROR_NSUP_OPER;
  return IsOpen(vi) ? VI_SUCCESS : VI_ERROR_INV_SESSION;
}
