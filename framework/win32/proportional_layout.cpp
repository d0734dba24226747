#include "framework/win32/proportional_layout.h"

#include "framework/win32/display_scale.h"
#include "framework/win32/win_app.h"

namespace {
// The dialog units' pixel size as the dialog manager applied it to `dialog`.
SIZE AppliedBaseUnits(HWND dialog) {
  RECT units = {0, 0, 4, 8};
  ::MapDialogRect(dialog, &units);
  return {units.right, units.bottom};
}

// The dialog's font, made anew at its point size for a 96-DPI screen.
SIZE BaseUnitsAt96(HWND dialog, UINT dpi) {
  HFONT font = reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0));
  LOGFONTA description = {};
  if (font == nullptr || ::GetObjectA(font, sizeof description, &description) == 0)
    return AppliedBaseUnits(dialog);
  const int points = ::MulDiv(description.lfHeight < 0 ? -description.lfHeight
                                                       : description.lfHeight,
                              72, static_cast<int>(dpi));
  description.lfHeight = -::MulDiv(points, kDefaultDpi, 72);
  description.lfWidth = 0;
  HFONT at96 = ::CreateFontIndirectA(&description);
  const SIZE base = FontBaseUnits(at96);
  ::DeleteObject(at96);
  return base;
}

LONG ToUnits(LONG pixels, LONG base, int unitsPerBase) {
  return ::MulDiv(pixels, unitsPerBase, base);
}
LONG ToPixels(LONG units, LONG base, int unitsPerBase) {
  return ::MulDiv(units, base, unitsPerBase);
}

// A combo box's window is as high as its closed field; the template's height
// is the field with its list dropped.
LONG TemplateHeightInPixels(HWND control, const RECT& window) {
  char className[16] = "";
  ::GetClassNameA(control, className, sizeof className);
  if (lstrcmpiA(className, "ComboBox") != 0) return window.bottom - window.top;
  RECT dropped = {};
  ::SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  return dropped.bottom - dropped.top;
}
}  // namespace

SIZE FontBaseUnits(HFONT font) {
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ previous = ::SelectObject(dc, font);
  SIZE letters = {};
  ::GetTextExtentPoint32A(dc, kLetters, 52, &letters);
  TEXTMETRICA metrics = {};
  ::GetTextMetricsA(dc, &metrics);
  ::SelectObject(dc, previous);
  ::ReleaseDC(nullptr, dc);
  return {(letters.cx / 26 + 1) / 2, metrics.tmHeight};
}

namespace {
// Past a template's menu or class field: none, an ordinal or a string.
const WORD* PastNameOrOrdinal(const WORD* at) {
  if (*at == 0xFFFF) return at + 2;
  while (*at != 0) ++at;
  return at + 1;
}
}  // namespace

SIZE ProportionalClientSize(UINT templateId, UINT dpi) {
  HINSTANCE instance = GetApp()->m_hInstance;
  HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
  HGLOBAL loaded = resource != nullptr ? ::LoadResource(instance, resource) : nullptr;
  const auto* header = static_cast<const DLGTEMPLATE*>(loaded != nullptr ? ::LockResource(loaded) : nullptr);
  if (header == nullptr || (header->style & DS_SETFONT) == 0) return {};
  const WORD* at = PastNameOrOrdinal(PastNameOrOrdinal(reinterpret_cast<const WORD*>(header + 1)));
  while (*at != 0) ++at;  // the caption
  const int points = *++at;
  LOGFONTW description = {};
  description.lfHeight = -::MulDiv(points, kDefaultDpi, 72);
  description.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(description.lfFaceName, reinterpret_cast<const wchar_t*>(at + 1), LF_FACESIZE);
  HFONT at96 = ::CreateFontIndirectW(&description);
  const SIZE base = FontBaseUnits(at96);
  ::DeleteObject(at96);
  return {AtDpi(ToPixels(header->cx, base.cx, 4), dpi), AtDpi(ToPixels(header->cy, base.cy, 8), dpi)};
}

void CProportionalLayout::Capture(HWND dialog) {
  m_dialog = dialog;
  m_items.clear();
  const SIZE base = AppliedBaseUnits(dialog);
  const UINT dpi = WindowDpi(dialog);
  m_base96 = dpi == kDefaultDpi ? base : BaseUnitsAt96(dialog, dpi);
  RECT client;
  ::GetClientRect(dialog, &client);
  m_size = {ToUnits(client.right, base.cx, 4), ToUnits(client.bottom, base.cy, 8)};
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT window;
    ::GetWindowRect(child, &window);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&window), 2);
    m_items.push_back({child,
                       {ToUnits(window.left, base.cx, 4), ToUnits(window.top, base.cy, 8),
                        ToUnits(window.right - window.left, base.cx, 4),
                        ToUnits(TemplateHeightInPixels(child, window), base.cy, 8)}});
  }
}

void CProportionalLayout::Apply(UINT dpi) const {
  if (m_dialog == nullptr) return;
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  ::SetWindowPos(m_dialog, nullptr, 0, 0,
                 AtDpi(ToPixels(m_size.cx, m_base96.cx, 4), dpi),
                 AtDpi(ToPixels(m_size.cy, m_base96.cy, 8), dpi), flags | SWP_NOMOVE);
  for (const CItem& item : m_items) {
    // The 96-DPI rectangle as the dialog manager would place it there.
    const LONG left = ToPixels(item.units.left, m_base96.cx, 4);
    const LONG top = ToPixels(item.units.top, m_base96.cy, 8);
    const RECT at96 = {left, top, left + ToPixels(item.units.right, m_base96.cx, 4),
                       top + ToPixels(item.units.bottom, m_base96.cy, 8)};
    const RECT scaled = AtDpi(at96, dpi);
    ::SetWindowPos(item.window, nullptr, scaled.left, scaled.top, scaled.right - scaled.left,
                   scaled.bottom - scaled.top, flags);
  }
}
