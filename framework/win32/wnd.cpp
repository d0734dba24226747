#include "framework/win32/wnd.h"

#include <unordered_map>

#include "framework/win32/worker_call.h"

IMPLEMENT_RUNTIME_CLASS(CWnd, CObject)

namespace {
// The attached objects by window. Every message looks its object up, and a
// window property would cost Wine a round trip to its server each time.
class CAttachedObjects {
 public:
  CWnd* Find(HWND hWnd) {
    ::AcquireSRWLockShared(&m_lock);
    auto found = m_objects.find(hWnd);
    CWnd* object = found != m_objects.end() ? found->second : nullptr;
    ::ReleaseSRWLockShared(&m_lock);
    return object;
  }
  void Set(HWND hWnd, CWnd* object) {
    ::AcquireSRWLockExclusive(&m_lock);
    if (object != nullptr)
      m_objects[hWnd] = object;
    else
      m_objects.erase(hWnd);
    ::ReleaseSRWLockExclusive(&m_lock);
  }

 private:
  SRWLOCK m_lock = SRWLOCK_INIT;
  std::unordered_map<HWND, CWnd*> m_objects;
};

// Never destroyed: objects that live until the program's end detach from it.
CAttachedObjects& AttachedObjects() {
  static auto* objects = new CAttachedObjects;
  return *objects;
}

bool IsOperatorMessage(UINT message) {
  return message == WM_COMMAND || message == WM_SYSCOMMAND || message == WM_CLOSE ||
         message == WM_HSCROLL || message == WM_VSCROLL ||
         (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

// While the window thread waits for worker calls, a command, close, key or
// click that another thread sends is answered at once and handled after the
// call, in its order, like the operator's own: neither a second instrument
// call nor the window's destruction can start under the one in progress.
bool DeferredWhileWaiting(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsWaitingForWorker() || !IsOperatorMessage(message) || !::InSendMessage()) return false;
  ::ReplyMessage(0);
  ::PostMessageA(hWnd, message, wParam, lParam);
  return true;
}
}  // namespace

const CMessageEntry CWnd::messageEntries[] = {{0, 0, 0, 0, nullptr}};
const CMessageMap CWnd::messageMap = {nullptr, &CWnd::messageEntries[0]};
const CMessageMap* CWnd::GetMessageMap() const { return &messageMap; }

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (m_hWnd != nullptr) Detach();
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (hWnd == nullptr) return nullptr;
  return AttachedObjects().Find(hWnd);
}

void CWnd::Attach(HWND hWnd) {
  m_hWnd = hWnd;
  AttachedObjects().Set(hWnd, this);
}

void CWnd::Detach() {
  if (m_hWnd == nullptr) return;
  if (m_pfnSuper != nullptr) {
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
  }
  AttachedObjects().Set(m_hWnd, nullptr);
  m_hWnd = nullptr;
}

void CWnd::SubclassWindow(HWND hWnd) {
  Attach(hWnd);
  m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
      hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StandardWndProc)));
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  HWND control = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
  if (control == nullptr) return false;
  SubclassWindow(control);
  return true;
}

BOOL CWnd::DestroyWindow() { return m_hWnd != nullptr ? ::DestroyWindow(m_hWnd) : FALSE; }

void CWnd::DrawItem(const DRAWITEMSTRUCT&) {}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::Default() {
  return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != nullptr) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

bool CWnd::DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  UINT code = 0;
  UINT id = 0;
  if (message == WM_COMMAND) {
    code = HIWORD(wParam);
    id = LOWORD(wParam);
    if (code == 1 && lParam == 0) code = 0;  // an accelerator is a command too
  }
  for (const CMessageMap* map = GetMessageMap(); map != nullptr; map = map->m_pBase) {
    for (const CMessageEntry* e = map->m_entries; e->m_call != nullptr; ++e) {
      if (e->m_message != message) continue;
      if (message == WM_COMMAND && (e->m_code != code || id < e->m_idFirst || id > e->m_idLast))
        continue;
      if (e->m_call(this, message, wParam, lParam, result)) return true;
    }
  }
  return false;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM && wParam != 0) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    CWnd* control = FromHandle(item->hwndItem);
    if (control != nullptr && control != this) {
      control->DrawItem(*item);
      return TRUE;
    }
  }
  LRESULT result = 0;
  if (DispatchToMap(message, wParam, lParam, result)) return result;
  return DefWindowProc(message, wParam, lParam);
}

LRESULT RouteMessage(CWnd* wnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const CWnd::CurrentMessage saved = wnd->m_current;
  wnd->m_current = {message, wParam, lParam};
  LRESULT result = wnd->WindowProc(message, wParam, lParam);
  // A handler may have destroyed the window, and with it the object.
  if (CWnd::FromHandle(hWnd) != wnd) return result;
  wnd->m_current = saved;
  if (message == WM_NCDESTROY && wnd->m_hWnd == hWnd) {
    wnd->Detach();
    wnd->PostNcDestroy();
  }
  return result;
}

LRESULT CALLBACK CWnd::StandardWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = FromHandle(hWnd);
  if (wnd == nullptr) return ::DefWindowProcA(hWnd, message, wParam, lParam);
  if (DeferredWhileWaiting(hWnd, message, wParam, lParam)) return 0;
  return RouteMessage(wnd, hWnd, message, wParam, lParam);
}
