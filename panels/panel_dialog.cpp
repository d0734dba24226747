#include "panels/panel_dialog.h"

#include <iterator>
#include <optional>

#include "controls/plate_drawing.h"
#include "framework/win32/accessible_object.h"
#include "framework/win32/display_scale.h"
#include "framework/win32/reading_order.h"
#include "panels/try_or_report.h"
#include "panels/panel.h"
#include "panels/panel_host.h"
#include "panels/panel_list.h"

IMPLEMENT_RUNTIME_CLASS(CPanelDialog, CDialog)

namespace {
// The name its panel's row of the registry gives the panel's actions.
std::string LogNameOf(const CPanel* panel) {
  std::optional<size_t> row = PanelIndex(PanelHost().Panels(), panel);
  return row && *row < std::size(kPanelRows) ? kPanelRows[*row].m_logName : "";
}
}  // namespace

CPanelDialog::CPanelDialog(UINT templateId, CPanel* owner)
    : CDialog(templateId, PanelHost().MainWindow()), m_pPanel(owner), m_logName(LogNameOf(owner)) {}

bool CPanelDialog::Create() {
  m_creating = true;
  // A window destroyed during its initialisation leaves no handle behind.
  bool created = CDialog::Create() && m_hWnd != nullptr;
  m_creating = false;
  if (created) {
    ArrangeInReadingOrder(m_hWnd);
    m_givingFirstFocus = true;
    FocusFirstTabStop(m_hWnd);
    m_givingFirstFocus = false;
  }
  return created;
}

// Enter on a focused owner-drawn button (a read-out) acts as a click, as the
// Space bar does; the dialog manager clicks only the standard push buttons.
void CPanelDialog::OnOK() {
  HWND focus = ::GetFocus();
  if (focus == nullptr || ::GetParent(focus) != m_hWnd) return;
  if ((::SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0)
    ::SendMessageA(focus, BM_CLICK, 0, 0);
}

void CPanelDialog::UpdateControls() {}

BOOL CPanelDialog::OnInitDialog() {
  m_layout.Capture(m_hWnd);
  // At 96 DPI the dialog manager has placed every control where the layout would.
  const UINT dpi = WindowDpi(m_hWnd);
  if (dpi != kDefaultDpi) m_layout.Apply(dpi);
  FitMainWindow();
  return CDialog::OnInitDialog();
}

void CPanelDialog::ScaleTo(UINT dpi) {
  m_layout.Apply(dpi);
  FitMainWindow();
  ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CPanelDialog::FitMainWindow() {
  RECT panel;
  ::GetClientRect(m_hWnd, &panel);
  FitFrameToPanel(m_pParent->m_hWnd, {panel.right - panel.left, panel.bottom - panel.top});
}

// Outer width := the panel's client width; outer height := the main window's
// frame, caption and menu plus the panel's client height.
void FitFrameToPanel(HWND main, SIZE panel) {
  RECT outer, client;
  ::GetWindowRect(main, &outer);
  ::GetClientRect(main, &client);
  int frameHeight = (outer.bottom - outer.top) - (client.bottom - client.top);
  ::SetWindowPos(main, nullptr, 0, 0, panel.cx, frameHeight + panel.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string CPanelDialog::ActionName(int id, const char* what) const {
  return m_logName + ": " + LabelBefore(GetDlgItem(id)) + " " + what;
}

std::string CPanelDialog::ReadOrActionName(int id, const char* what) const {
  return ActionName(id, AltKeyHeld() ? "Alt read" : what);
}

std::string CPanelDialog::ButtonActionName(int id) const {
  char text[128] = "";
  ::GetWindowTextA(GetDlgItem(id), text, sizeof text);
  return m_logName + ": " + text;
}

void CPanelDialog::PostNcDestroy() {
  m_pPanel->DialogDestroyed(this);
  if (!m_creating) delete this;
}

void CPanelDialog::PaintBackground(COLORREF colour) {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(m_hWnd, &paint);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  FillWithColour(dc, client, colour);
  ::EndPaint(m_hWnd, &paint);
}
