#include "controls/numeric_field.h"

#include "framework/win32/wnd.h"
#include "instrument/eng_units.h"

IMPLEMENT_RUNTIME_CLASS(CNumericField, CObject)

CNumericField::CNumericField(CWnd* dialog, int ctrlId, COLORREF bkColor, COLORREF textColor,
                             const std::string& unit, unsigned prefix)
    : m_unit(unit),
      m_prefix(prefix),
      m_bkColor(bkColor),
      m_textColor(textColor),
      m_ctrlId(ctrlId),
      m_brush(::CreateSolidBrush(bkColor)),
      m_dialog(dialog) {}

CNumericField::~CNumericField() { ::DeleteObject(m_brush); }

void CNumericField::Write(const std::string& text) {
  ::SetDlgItemTextA(m_dialog->m_hWnd, m_ctrlId, text.c_str());
}

void CNumericField::ShowValue(double v) {
  Write(ShowValueText(v, m_format, Unit(), m_allowInf != 0));
}

void CNumericField::ShowValueFixed(double v) {
  Write(ShowValueFixedText(v, m_format, Unit(), m_allowInf != 0));
  m_value = v;
  m_scaled = v;
}

double CNumericField::ReadValue() {
  HWND edit = ::GetDlgItem(m_dialog->m_hWnd, m_ctrlId);
  int length = ::GetWindowTextLengthA(edit);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  length = ::GetWindowTextA(edit, &text[0], length + 1);
  text.resize(static_cast<size_t>(length > 0 ? length : 0));
  m_text = text;
  return ReadValueText(m_text, m_allowInf != 0, m_scaled);
}

HBRUSH CNumericField::CtlColor(HDC dc, HWND control, UINT kind) {
  if (::GetDlgCtrlID(control) != m_ctrlId) return nullptr;
  if (kind != CTLCOLOR_EDIT && kind != CTLCOLOR_STATIC) return nullptr;
  ::SetTextColor(dc, m_textColor);
  ::SetBkColor(dc, m_bkColor);
  return m_brush;
}
