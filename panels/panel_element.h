// One control of a setting panel bound to one setting of the instrument: a
// value field, the user-name field, a combo box or a toggle.
#pragma once

#include <windows.h>

class CPanelElement {
 public:
  virtual ~CPanelElement() = default;
  // Shows the remembered setting (query flag 0, no instrument I/O).
  virtual void ShowRemembered() = 0;
  // Asks the instrument (query flag 1) and shows its answer; throws the
  // user exception when the instrument fails.
  virtual void ShowFromInstrument() = 0;
};

// An edit box with its spin arrows.
class CPanelField : public CPanelElement {
 public:
  CPanelField(int editId, int spinId) : m_editId(editId), m_spinId(spinId) {}

  int EditId() const { return m_editId; }
  int SpinId() const { return m_spinId; }

  // Enter: the typed text, limited, goes to the instrument.
  virtual void SendTyped() = 0;
  // The read-back after Enter.
  virtual void ReadBackAfterEnter() { ShowFromInstrument(); }
  // An arrow pressed: the shown value steps; nothing is sent.
  virtual void StepShown(bool up) = 0;
  // The arrow released: the shown value goes to the instrument as it stands.
  virtual void SendShown() = 0;
  // The read-back after the arrow's release.
  virtual void ReadBackAfterSpin() { ShowFromInstrument(); }
  // After a rejected send, once the failure has been reported.
  virtual void AfterSendFailure() {}
  // Alt plus focus leaves the focus in the field instead of the focus sink.
  virtual bool KeepsFocusOnAltRead() const { return false; }
  // Alt plus focus reads the instrument under the wait cursor.
  virtual bool ShowsWaitCursorOnAltRead() const { return true; }
  virtual HBRUSH CtlColor(HDC, HWND, UINT) { return nullptr; }

 private:
  int m_editId;
  int m_spinId;
};
