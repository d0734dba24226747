#include "panels/status_panel.h"

#include <cstdio>

#include "controls/palette.h"
#include "controls/text_button.h"
#include "controls/text_panel.h"
#include "framework/win32/wait_cursor.h"
#include "framework/win32/win_app.h"
#include "instrument/instrument.h"
#include "instrument/io_log.h"
#include "instrument/user_exception.h"
#include "panels/try_or_report.h"
#include "panels/panel.h"
#include "panels/panel_host.h"
#include "panels/plate.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CStatDlg, CPanelDialog)

BEGIN_MESSAGE_MAP(CStatDlg, CPanelDialog)
  ON_COMMAND(IDC_STAT_READ_ERROR, OnReadErrorQueue)
  ON_COMMAND(IDC_STAT_STATUS_BYTE, OnStatusByte)
  ON_COMMAND(IDC_STAT_OPC, OnOpcQuery)
  ON_COMMAND(IDC_STAT_CLEAR, OnClearStatus)
  ON_COMMAND(IDC_STAT_PHASE_LOCK, OnPhaseLock)
  ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {
const char kNoAnswer[] = "*";
const char kNoErrorRead[] = "-";
const char kRefused[] = "*_*";
}  // namespace

CStatDlg::CStatDlg(CPanel* owner) : CPanelDialog(IDD_STATUS_PANEL, owner) {}

CStatDlg::~CStatDlg() = default;

BOOL CStatDlg::OnInitDialog() {
  CPanelDialog::OnInitDialog();
  m_pTitle = AttachPlate(this, IDC_STAT_TITLE, PanelColor(8), false);
  m_pTitle->SetText(m_pPanel->m_name);
  m_pErrorFrame = AttachPlate(this, IDC_STAT_ERROR_FRAME, PanelColor(6), true);
  m_pStatusFrame = AttachPlate(this, IDC_STAT_STATUS_FRAME, PanelColor(6), true);
  m_pOpcFrame = AttachPlate(this, IDC_STAT_OPC_FRAME, PanelColor(6), true);
  m_pErrorNumber = AttachPlate(this, IDC_STAT_ERROR_NUMBER, PanelColor(0), false);
  m_pErrorMessage = AttachPlate(this, IDC_STAT_ERROR_MESSAGE, PanelColor(0), false);
  m_pStatusByte = AttachReadOutButton(IDC_STAT_STATUS_BYTE);
  m_pPhaseLock = AttachReadOutButton(IDC_STAT_PHASE_LOCK);
  UpdateControls();
  return TRUE;
}

std::unique_ptr<CTextButton> CStatDlg::AttachReadOutButton(int id) {
  auto button = std::make_unique<CTextButton>(PanelColor(0), PanelColor(1), PanelColor(2),
                                              PanelColor(3), nullptr);
  button->SubclassDlgItem(static_cast<UINT>(id), this);
  // Reached by Tab like the panel's push buttons.
  HWND hwnd = GetDlgItem(id);
  ::SetWindowLongPtrA(hwnd, GWL_STYLE, ::GetWindowLongPtrA(hwnd, GWL_STYLE) | WS_TABSTOP);
  return button;
}

void CStatDlg::UpdateControls() {
  m_pStatusByte->SetText(kNoAnswer);
  m_pErrorMessage->SetText(kNoAnswer);
  m_pErrorNumber->SetText(kNoErrorRead);
  m_pPhaseLock->SetText(kNoAnswer);
}

void CStatDlg::ShowError(const std::string& number, const std::string& message) {
  m_pErrorMessage->SetText(message);
  m_pErrorNumber->SetText(number);
}

// The error query throws only when it was refused as too fast. A query that
// failed otherwise (a time-out, which it has reported itself) leaves no code:
// the number then shows that no answer came, rather than an empty queue.
void CStatDlg::OnReadErrorQueue() {
  CIoActionScope action(ButtonActionName(IDC_STAT_READ_ERROR));
  CWaitCursor wait;
  CInstrument& instrument = Instrument();
  int32_t code = 0;
  std::string message;
  try {
    instrument.ErrorQuery(code, message);
  } catch (CUserException&) {
    if (instrument.GetLastStatus() == kStatusTooFast) ShowError(kRefused, LoadText(IDS_TOO_FAST));
    return;
  }
  if (instrument.GetLastStatus() < 0) {
    ShowError(kNoAnswer, message);
    return;
  }
  char number[16];
  std::snprintf(number, sizeof number, "%ld", static_cast<long>(code));
  ShowError(number, message);
}

void CStatDlg::OnStatusByte() {
  CIoActionScope action(ReadOrActionName(IDC_STAT_STATUS_BYTE, "click"));
  TryOrReportUnderWaitCursor([this] {
    char text[8];
    std::snprintf(text, sizeof text, "%d", Instrument().ReadStatusByte());
    m_pStatusByte->SetText(text);
  });
}

void CStatDlg::OnOpcQuery() {
  CIoActionScope action(ButtonActionName(IDC_STAT_OPC));
  TryOrReportUnderWaitCursor([] { Instrument().OpcQuery(); });
}

void CStatDlg::OnClearStatus() {
  CIoActionScope action(ButtonActionName(IDC_STAT_CLEAR));
  TryOrReportUnderWaitCursor([] { Instrument().ClearStatus(); });
}

void CStatDlg::OnPhaseLock() {
  CIoActionScope action(ReadOrActionName(IDC_STAT_PHASE_LOCK, "click"));
  TryOrReportUnderWaitCursor([this] {
    std::string text;
    Instrument().GetPhaseLock(text);
    m_pPhaseLock->SetText(text);
  });
}

void CStatDlg::OnPaint() { PaintBackground(PanelColor(4)); }
