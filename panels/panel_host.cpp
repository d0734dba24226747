#include "panels/panel_host.h"

#include <cassert>

namespace {
CPanelHost* g_host = nullptr;
}

void SetPanelHost(CPanelHost* host) { g_host = host; }

CPanelHost& PanelHost() {
  assert(g_host != nullptr);
  return *g_host;
}
