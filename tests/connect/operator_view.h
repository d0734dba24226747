// What the operator sees of the connection once start-up is done: the Main
// panel's address line and the colour of its Active lamp, beside whether the
// program runs live; and the discovery record the live instrument answers.
#pragma once

#include <windows.h>

#include <string>

#include "app/sfp_app.h"
#include "controls/led_lamp.h"
#include "controls/text_panel.h"
#include "instrument/instrument.h"
#include "res/resource.h"
#include "tests/support/app_fixture.h"

struct COperatorView {
  bool live = false;
  COLORREF lamp = 0xFFFFFFFF;
  std::string address = "(no Main panel)";
};

inline const COLORREF kLiveLamp = RGB(0, 255, 0);
inline const COLORREF kNonLiveLamp = RGB(64, 64, 64);

inline COperatorView WhatTheOperatorSees(const CAppFixture& app) {
  COperatorView view;
  view.live = theApp.m_pInstrument != nullptr && theApp.m_pInstrument->m_live != 0;
  HWND panel = app.Panel();
  if (panel == nullptr) return view;
  if (auto* lamp = dynamic_cast<CLedLamp*>(CWnd::FromHandle(::GetDlgItem(panel, IDC_MAIN_LAMP))))
    view.lamp = lamp->m_lampColor;
  if (auto* plate =
          dynamic_cast<CTextPanel*>(CWnd::FromHandle(::GetDlgItem(panel, IDC_MAIN_ADDRESS))))
    view.address = plate->m_caption;
  return view;
}

struct CRecordSeen {
  std::string rsrcName;
  int32_t slot;
  int32_t logicalAddress;
  uint16_t intfType;
  bool operator==(const CRecordSeen& other) const {
    return rsrcName == other.rsrcName && slot == other.slot &&
           logicalAddress == other.logicalAddress && intfType == other.intfType;
  }
};

inline std::ostream& operator<<(std::ostream& out, const CRecordSeen& record) {
  return out << record.rsrcName << " slot " << record.slot << " la " << record.logicalAddress
             << " intf " << record.intfType;
}

// The record as the application's accessors answer it.
inline CRecordSeen DiscoveryRecord() {
  return {theApp.GetRsrcName(), theApp.GetSlot(), theApp.GetLogicalAddress(),
          theApp.GetIntfType()};
}
