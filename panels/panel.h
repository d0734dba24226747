// The panel objects: long-lived, one per panel, known by name; each shows its
// dialog inside the main window while it is the current panel.
#pragma once

#include <cstdint>
#include <string>

#include "framework/object.h"

class CPanelDialog;

class CSFPObject : public CObject {
  DECLARE_RUNTIME_CLASS(CSFPObject)

 public:
  explicit CSFPObject(std::string name) : m_name(std::move(name)) {}
  std::string m_name;
};

class CPanel : public CSFPObject {
  DECLARE_RUNTIME_CLASS(CPanel)

 public:
  explicit CPanel(std::string name) : CSFPObject(std::move(name)) {}

  // Redisplays the dialog's controls from the remembered state.
  virtual void UpdatePanel();
  virtual void ShowPanel();
  virtual void ClosePanel();
  virtual void OnPanelTimer();

  // The dialog tells its panel when it has gone.
  void DialogDestroyed(CPanelDialog* dialog);

  CPanelDialog* m_pDialog = nullptr;  // not owned: the dialog deletes itself
  int32_t m_placement = 0;

 protected:
  // Creates dialog D inside the main window and makes this the current panel.
  // (Called with the panel's own `this`, which the dialog takes as its owner.)
  template <class D, class Owner>
  void Show(Owner* self);
  void BecomeCurrent(CPanelDialog* dialog);
};

// The window is created once the object is complete, so that the dialog's own
// initialisation runs.
template <class D, class Owner>
void CPanel::Show(Owner* self) {
  auto* dialog = new D(self);
  if (!dialog->Create()) {
    delete dialog;
    return;
  }
  BecomeCurrent(dialog);
}
