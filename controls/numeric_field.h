// A value field's number: what its edit box shows and how its text reads back,
// in engineering units. Not a window: it addresses its edit control through
// the dialog that holds it.
#pragma once

#include <windows.h>

#include <string>

#include "framework/object.h"

class CWnd;

class CNumericField : public CObject {
  DECLARE_RUNTIME_CLASS(CNumericField)

 public:
  CNumericField(CWnd* dialog, int ctrlId, COLORREF bkColor, COLORREF textColor,
                const std::string& unit, unsigned prefix);
  ~CNumericField() override;
  CNumericField(const CNumericField&) = delete;
  CNumericField& operator=(const CNumericField&) = delete;

  // Writes v with an automatic prefix letter (1 kHz).
  void ShowValue(double v);
  // Writes v unscaled, without a prefix letter (1000 Hz).
  void ShowValueFixed(double v);
  // Reads the edit box's text as a number (0.0 when it holds none).
  double ReadValue();
  // The brush and colours of the edit box, or null for any other control.
  HBRUSH CtlColor(HDC dc, HWND control, UINT kind);

  std::string m_format = "%g";
  std::string m_text;
  std::string m_unit;
  int m_showUnit = 10;
  int m_allowInf = 0;
  double m_value = 0.0;
  double m_scaled = 0.0;
  unsigned m_prefix;
  COLORREF m_bkColor;
  COLORREF m_textColor;
  int m_ctrlId;
  HBRUSH m_brush;
  CWnd* m_dialog;

 private:
  std::string Unit() const { return m_showUnit != 0 ? m_unit : std::string(); }
  void Write(const std::string& text);
};
