#include "instrument/nonlive_instrument.h"

#include "instrument/app_port.h"
#include "res/resource.h"

CNonLiveInstrument::CNonLiveInstrument() { m_live = 0; }

void CNonLiveInstrument::Reset() { SetDefaults(); }

void CNonLiveInstrument::SelfTest(std::string& text) {
  text = AppPort().LoadText(IDS_SELF_TEST_PASSED);
}
