// The way from the instrument's present settings to those of a setup. The
// setup's lines act in turn as on the instrument (a change of load rescales
// amplitude and offset, a mode turned on turns the others off), which gives the
// settings the recall must reach. They are checked whole against the limits
// that settings put on each other before anything goes out, then sent in an
// order in which the instrument takes every step from the state the steps
// before it leave: the waveform name first (only the instrument knows its
// waveforms), the modes that end off, function and frequency in the order the
// present frequency allows, the load, amplitude and offset in the order the
// present levels allow (the offset through 0 V where neither order fits), the
// duty cycle, the modes' own settings, and last the mode that ends on.
#pragma once

#include <string>
#include <vector>

#include "instrument/setup_file.h"

// Every setting's value, in the table's order.
using CSettingValues = std::vector<CSettingValue>;
CSettingValues RememberedValues(const CInstrument& instrument);
CSettingValues PowerOnValues();

struct CRecallPlan {
  bool m_reset = false;             // "*RST" goes out first
  std::vector<CSetupStep> m_steps;  // in the order they go out; an added step has line 0
  CSettingValues m_target;          // the settings reached at the end
  int m_errorLine = 0;
  std::string m_error;  // "1 MHz is above the triangle's 100 kHz"
  bool Ok() const { return m_error.empty(); }
};

CRecallPlan PlanRecall(const CSetupReading& reading, const CSettingValues& present);

// The setup's steps recalled as a whole file would be, each as if on its own line.
CSetupReading ReadingOf(const std::vector<CSetupStep>& steps);
