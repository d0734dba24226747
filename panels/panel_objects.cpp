#include "panels/panel_objects.h"

#include "framework/win32/win_app.h"
#include "panels/am_panel.h"
#include "panels/bm_panel.h"
#include "panels/fm_panel.h"
#include "panels/fsk_panel.h"
#include "panels/main_panel.h"
#include "panels/panel_dialog.h"
#include "panels/status_panel.h"
#include "panels/sweep_panel.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CPan1Obj, CPanel)
IMPLEMENT_RUNTIME_CLASS(CStatObj, CPanel)
IMPLEMENT_RUNTIME_CLASS(CAmplObj, CPanel)
IMPLEMENT_RUNTIME_CLASS(CBurstObj, CPanel)
IMPLEMENT_RUNTIME_CLASS(CFreqObj, CPanel)
IMPLEMENT_RUNTIME_CLASS(CSweepObj, CPanel)
IMPLEMENT_RUNTIME_CLASS(CFskObj, CPanel)

CPan1Obj::CPan1Obj() : CPanel(LoadText(IDS_MAIN_PANEL)) {}

void CPan1Obj::ShowPanel() { Show<CPan1Dlg>(this); }
void CStatObj::ShowPanel() { Show<CStatDlg>(this); }
void CAmplObj::ShowPanel() { Show<CAmplDlg>(this); }
void CBurstObj::ShowPanel() { Show<CBurstDlg>(this); }
void CFreqObj::ShowPanel() { Show<CFreqDlg>(this); }
void CSweepObj::ShowPanel() { Show<CSweepDlg>(this); }
void CFskObj::ShowPanel() { Show<CFskDlg>(this); }
