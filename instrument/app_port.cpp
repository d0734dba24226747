#include "instrument/app_port.h"

#include <cassert>

namespace {
CAppPort* g_port = nullptr;
}

void SetAppPort(CAppPort* port) { g_port = port; }

CAppPort& AppPort() {
  assert(g_port != nullptr);
  return *g_port;
}

CInstrument* CurrentInstrument() { return AppPort().Instrument(); }

CInstrument& Instrument() { return *CurrentInstrument(); }

void ShowStringMessage(unsigned id) { AppPort().ShowMessage(AppPort().LoadText(id)); }
