#include "driver/session_table.h"

#include <map>
#include <mutex>

namespace {

std::mutex g_mutex;

std::map<ViSession, CDriverSession>& Sessions() {
  static std::map<ViSession, CDriverSession> sessions;
  return sessions;
}

}  // namespace

void AddSession(ViSession vi, ViSession resourceManager) {
  std::lock_guard<std::mutex> lock(g_mutex);
  Sessions()[vi] = CDriverSession{resourceManager, false};
}

std::optional<CDriverSession> FindSession(ViSession vi) {
  std::lock_guard<std::mutex> lock(g_mutex);
  auto it = Sessions().find(vi);
  if (it == Sessions().end()) return std::nullopt;
  return it->second;
}

bool SetErrorDetection(ViSession vi, bool on) {
  std::lock_guard<std::mutex> lock(g_mutex);
  auto it = Sessions().find(vi);
  if (it == Sessions().end()) return false;
  it->second.m_detectErrors = on;
  return true;
}

std::optional<CDriverSession> RemoveSession(ViSession vi) {
  std::lock_guard<std::mutex> lock(g_mutex);
  auto it = Sessions().find(vi);
  if (it == Sessions().end()) return std::nullopt;
  CDriverSession session = it->second;
  Sessions().erase(it);
  return session;
}
