// The seven panels. Each shows its own dialog; everything else is CPanel's.
#pragma once

#include "panels/panel.h"

#define SFP_PANEL_CLASS(cls)            \
  class cls : public CPanel {           \
    DECLARE_RUNTIME_CLASS(cls)          \
                                        \
   public:                              \
    using CPanel::CPanel;               \
    void ShowPanel() override;          \
  };

// The main panel knows its own name (string 7).
class CPan1Obj : public CPanel {
  DECLARE_RUNTIME_CLASS(CPan1Obj)

 public:
  CPan1Obj();
  void ShowPanel() override;
};

SFP_PANEL_CLASS(CStatObj)
SFP_PANEL_CLASS(CAmplObj)
SFP_PANEL_CLASS(CBurstObj)
SFP_PANEL_CLASS(CFreqObj)
SFP_PANEL_CLASS(CSweepObj)
SFP_PANEL_CLASS(CFskObj)

#undef SFP_PANEL_CLASS
