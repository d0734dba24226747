#include "framework/win32/accessible_object.h"

#include <oleacc.h>

#include <atomic>

#include "framework/win32/late_library.h"

namespace {
// The accessibility libraries are loaded only when a tool asks.
struct COleacc {
  decltype(&::CreateStdAccessibleObject) m_createStd =
      LateFunction<decltype(::CreateStdAccessibleObject)>("oleacc.dll", "CreateStdAccessibleObject");
  decltype(&::LresultFromObject) m_lresultFrom =
      LateFunction<decltype(::LresultFromObject)>("oleacc.dll", "LresultFromObject");
  decltype(&::SysAllocStringLen) m_allocString =
      LateFunction<decltype(::SysAllocStringLen)>("oleaut32.dll", "SysAllocStringLen");
  decltype(&::CoInitializeEx) m_enterApartment =
      LateFunction<decltype(::CoInitializeEx)>("ole32.dll", "CoInitializeEx");
};

const COleacc& Oleacc() {
  static const COleacc oleacc;
  return oleacc;
}

// {618736E0-3C3D-11CF-810C-00AA00389B71}, spelt out: MinGW's import library
// of oleacc would bind the name to a stub.
const IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

BSTR Wide(const std::string& text) {
  int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  BSTR wide = Oleacc().m_allocString(nullptr, static_cast<UINT>(length > 0 ? length - 1 : 0));
  if (wide != nullptr && length > 0) ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, length);
  return wide;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The standard proxy with the control's own name, role and state.
class CNamedAccessible final : public IAccessible {
 public:
  CNamedAccessible(IAccessible* standard, CAccessibleFacts facts)
      : m_standard(standard), m_facts(std::move(facts)) {}
  ~CNamedAccessible() { m_standard->Release(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIidAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return m_standard->get_accName(child, name);
    *name = Wide(m_facts.m_name);
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child) || m_facts.m_role == 0) return m_standard->get_accRole(child, role);
    role->vt = VT_I4;
    role->lVal = m_facts.m_role;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    HRESULT result = m_standard->get_accState(child, state);
    if (SUCCEEDED(result) && IsSelf(child) && state->vt == VT_I4) state->lVal |= m_facts.m_state;
    return result;
  }

  // Everything else as the standard proxy answers it.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return m_standard->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return m_standard->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return m_standard->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* badArgument) override {
    return m_standard->Invoke(id, iid, locale, flags, params, result, exception, badArgument);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return m_standard->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return m_standard->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return m_standard->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return m_standard->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return m_standard->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
    return m_standard->get_accHelp(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return m_standard->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
    return m_standard->get_accKeyboardShortcut(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return m_standard->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return m_standard->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
    return m_standard->get_accDefaultAction(child, text);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return m_standard->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return m_standard->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return m_standard->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return m_standard->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return m_standard->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return m_standard->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return m_standard->put_accValue(child, value);
  }

 private:
  IAccessible* m_standard;
  CAccessibleFacts m_facts;
  std::atomic<ULONG> m_references{1};
};
}  // namespace

LRESULT AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam, const CAccessibleFacts& facts) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  const COleacc& oleacc = Oleacc();
  if (oleacc.m_createStd == nullptr || oleacc.m_lresultFrom == nullptr ||
      oleacc.m_allocString == nullptr || oleacc.m_enterApartment == nullptr)
    return 0;
  // Handing the object out marshals it, which needs the thread in an apartment.
  static const HRESULT apartment = oleacc.m_enterApartment(nullptr, COINIT_APARTMENTTHREADED);
  (void)apartment;
  IAccessible* standard = nullptr;
  if (FAILED(oleacc.m_createStd(control, OBJID_CLIENT, kIidAccessible,
                                reinterpret_cast<void**>(&standard))))
    return 0;
  auto* named = new CNamedAccessible(standard, facts);
  LRESULT result = oleacc.m_lresultFrom(kIidAccessible, wParam, named);
  named->Release();
  return result;
}

std::string LabelBefore(HWND control) {
  HWND label = ::GetWindow(control, GW_HWNDPREV);
  char className[16] = {};
  if (label == nullptr || ::GetClassNameA(label, className, sizeof className) == 0 ||
      ::lstrcmpiA(className, "Static") != 0)
    return {};
  char text[256] = {};
  ::GetWindowTextA(label, text, sizeof text);
  std::string name;
  for (const char* c = text; *c != 0; ++c)
    if (*c != '&' || c[1] == '&') name += *c == '&' ? *++c : *c;
  return name;
}

std::string LabelAndValue(HWND control, const std::string& value) {
  std::string label = LabelBefore(control);
  return label.empty() ? value : label + ", " + value;
}
