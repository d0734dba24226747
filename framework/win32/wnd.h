// The window object: a C++ object attached to a Win32 window, whose messages
// are routed through message maps from (message, notification code, control
// identifier) to member handlers, derived class first.
#pragma once

#include <windows.h>

#include "framework/object.h"

class CWnd;

struct CMessageEntry {
  UINT m_message;
  UINT m_code;     // notification code of WM_COMMAND; 0 for other messages
  UINT m_idFirst;  // command or control identifier range; 0..0xFFFF matches any
  UINT m_idLast;
  // Calls the handler; returns false when the handler declined the message.
  bool (*m_call)(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
};

struct CMessageMap {
  const CMessageMap* m_pBase;
  const CMessageEntry* m_entries;  // ends with an entry whose m_call is null
};

class CWnd : public CObject {
  DECLARE_RUNTIME_CLASS(CWnd)

 public:
  CWnd();
  ~CWnd() override;

  HWND m_hWnd = nullptr;

  static CWnd* FromHandle(HWND hWnd);  // the attached object, or null

  // Attaches this object to an existing control of a dialog and routes the
  // control's messages through it (the control keeps its own behaviour).
  bool SubclassDlgItem(UINT id, CWnd* parent);
  // Attaches this object to an existing window and routes the window's
  // messages through it; what the object leaves goes on to the window's own
  // procedure.
  void SubclassWindow(HWND hWnd);
  void Detach();

  BOOL DestroyWindow();
  void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  void SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text); }

  // Owner-drawn controls paint themselves: the parent reflects WM_DRAWITEM.
  virtual void DrawItem(const DRAWITEMSTRUCT& item);

  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  static const CMessageMap messageMap;
  static const CMessageEntry messageEntries[];
  virtual const CMessageMap* GetMessageMap() const;

  // The default processing of the message being handled.
  LRESULT Default();
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Called after the last message of the window; the object may delete itself.
  virtual void PostNcDestroy();

  // Runs the message maps; true when a handler took the message.
  bool DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  static LRESULT CALLBACK StandardWndProc(HWND, UINT, WPARAM, LPARAM);
  WNDPROC m_pfnSuper = nullptr;  // the subclassed control's own procedure

 private:
  void Attach(HWND hWnd);

  struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  CurrentMessage m_current{};

  friend LRESULT RouteMessage(CWnd* wnd, HWND hWnd, UINT message, WPARAM wParam,
                              LPARAM lParam);
};

LRESULT RouteMessage(CWnd* wnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// ---- Message map macros -------------------------------------------------------

#define DECLARE_MESSAGE_MAP(cls)                    \
 private:                                           \
  using ThisClass = cls;                            \
                                                    \
 protected:                                         \
  static const CMessageEntry messageEntries[];      \
  static const CMessageMap messageMap;              \
  const CMessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(cls, base)                                                \
  const CMessageMap cls::messageMap = {&base::messageMap, &cls::messageEntries[0]}; \
  const CMessageMap* cls::GetMessageMap() const { return &cls::messageMap; }        \
  const CMessageEntry cls::messageEntries[] = {
#define END_MESSAGE_MAP() \
  { 0, 0, 0, 0, nullptr } \
  }                       \
  ;

// What a handler that may leave its message to others returns: kDeclined
// passes the message on to the base classes' maps and the default processing.
enum class EHandled { kTaken, kDeclined };

namespace sfp_thunk {
template <class T, void (T::*F)()>
bool Void(CWnd* w, UINT, WPARAM, LPARAM, LRESULT& r) {
  (static_cast<T*>(w)->*F)();
  r = 0;
  return true;
}
template <class T, void (T::*F)(UINT)>
bool Id(CWnd* w, UINT, WPARAM wp, LPARAM, LRESULT& r) {
  (static_cast<T*>(w)->*F)(LOWORD(wp));
  r = 0;
  return true;
}
template <class T, EHandled (T::*F)(UINT)>
bool IdOrDecline(CWnd* w, UINT, WPARAM wp, LPARAM, LRESULT& r) {
  r = 0;
  return (static_cast<T*>(w)->*F)(LOWORD(wp)) == EHandled::kTaken;
}
template <class T, LRESULT (T::*F)(WPARAM, LPARAM)>
bool Raw(CWnd* w, UINT, WPARAM wp, LPARAM lp, LRESULT& r) {
  r = (static_cast<T*>(w)->*F)(wp, lp);
  return true;
}
template <class T, void (T::*F)(UINT, POINT)>
bool Mouse(CWnd* w, UINT, WPARAM wp, LPARAM lp, LRESULT& r) {
  POINT pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  (static_cast<T*>(w)->*F)(static_cast<UINT>(wp), pt);
  r = 0;
  return true;
}
template <class T, void (T::*F)(UINT, UINT, HWND)>
bool Scroll(CWnd* w, UINT, WPARAM wp, LPARAM lp, LRESULT& r) {
  (static_cast<T*>(w)->*F)(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
  r = 0;
  return true;
}
template <class T, void (T::*F)(UINT_PTR)>
bool Timer(CWnd* w, UINT, WPARAM wp, LPARAM, LRESULT& r) {
  (static_cast<T*>(w)->*F)(static_cast<UINT_PTR>(wp));
  r = 0;
  return true;
}
// A control-colour handler returns a brush, or null to leave the request to
// the default colours.
template <class T, HBRUSH (T::*F)(HDC, HWND, UINT)>
bool CtlColor(CWnd* w, UINT message, WPARAM wp, LPARAM lp, LRESULT& r);
}  // namespace sfp_thunk

// Menu and accelerator commands, and buttons (BN_CLICKED is 0).
#define ON_COMMAND(id, fn) {WM_COMMAND, 0, id, id, &sfp_thunk::Void<ThisClass, &ThisClass::fn>},
// A notification from one control.
#define ON_CONTROL(code, id, fn) {WM_COMMAND, code, id, id, &sfp_thunk::Void<ThisClass, &ThisClass::fn>},
// A notification from any control in a range; the handler gets the identifier.
#define ON_CONTROL_RANGE(code, first, last, fn) \
  {WM_COMMAND, code, first, last, &sfp_thunk::Id<ThisClass, &ThisClass::fn>},
// The same for a handler that returns EHandled: it takes only the controls it
// knows and declines the others.
#define ON_CONTROL_RANGE_OR_DECLINE(code, first, last, fn) \
  {WM_COMMAND, code, first, last, &sfp_thunk::IdOrDecline<ThisClass, &ThisClass::fn>},
#define ON_MESSAGE(msg, fn) {msg, 0, 0, 0xFFFF, &sfp_thunk::Raw<ThisClass, &ThisClass::fn>},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0xFFFF, &sfp_thunk::Void<ThisClass, &ThisClass::OnPaint>},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0xFFFF, &sfp_thunk::Timer<ThisClass, &ThisClass::OnTimer>},
#define ON_WM_VSCROLL() \
  {WM_VSCROLL, 0, 0, 0xFFFF, &sfp_thunk::Scroll<ThisClass, &ThisClass::OnVScroll>},
#define ON_WM_LBUTTONDOWN() \
  {WM_LBUTTONDOWN, 0, 0, 0xFFFF, &sfp_thunk::Mouse<ThisClass, &ThisClass::OnLButtonDown>},
#define ON_WM_LBUTTONDBLCLK() \
  {WM_LBUTTONDBLCLK, 0, 0, 0xFFFF, &sfp_thunk::Mouse<ThisClass, &ThisClass::OnLButtonDblClk>},
#define ON_WM_CTLCOLOR()                                                                     \
  {WM_CTLCOLOREDIT, 0, 0, 0xFFFF, &sfp_thunk::CtlColor<ThisClass, &ThisClass::OnCtlColor>},   \
      {WM_CTLCOLORSTATIC, 0, 0, 0xFFFF, &sfp_thunk::CtlColor<ThisClass, &ThisClass::OnCtlColor>}, \
      {WM_CTLCOLORBTN, 0, 0, 0xFFFF, &sfp_thunk::CtlColor<ThisClass, &ThisClass::OnCtlColor>},    \
      {WM_CTLCOLORLISTBOX, 0, 0, 0xFFFF, &sfp_thunk::CtlColor<ThisClass, &ThisClass::OnCtlColor>},

template <class T, HBRUSH (T::*F)(HDC, HWND, UINT)>
bool sfp_thunk::CtlColor(CWnd* w, UINT message, WPARAM wp, LPARAM lp, LRESULT& r) {
  // The kind is CTLCOLOR_EDIT, CTLCOLOR_STATIC, ...
  HBRUSH brush = (static_cast<T*>(w)->*F)(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp),
                                           message - WM_CTLCOLORMSGBOX);
  if (brush == nullptr) return false;
  r = reinterpret_cast<LRESULT>(brush);
  return true;
}
