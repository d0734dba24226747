// The status panel: one entry of the error queue, the status byte, the phase
// lock, clear status and the operation-complete query. It keeps no settings:
// each read-out shows only the answer to the last press of its button.
#pragma once

#include <memory>
#include <string>

#include "panels/panel_dialog.h"

class CTextButton;
class CTextPanel;

class CStatDlg : public CPanelDialog {
  DECLARE_RUNTIME_CLASS(CStatDlg)

 public:
  explicit CStatDlg(CPanel* owner);
  ~CStatDlg() override;

  // Back to "-" and "*": no answers yet. No instrument I/O.
  void UpdateControls() override;

 protected:
  BOOL OnInitDialog() override;

 private:
  void OnReadErrorQueue();
  void OnStatusByte();
  void OnOpcQuery();
  void OnClearStatus();
  void OnPhaseLock();
  void OnPaint();
  void ShowError(const std::string& number, const std::string& message);
  std::unique_ptr<CTextButton> AttachReadOutButton(int id);

  std::unique_ptr<CTextPanel> m_pTitle;
  std::unique_ptr<CTextPanel> m_pErrorFrame;
  std::unique_ptr<CTextPanel> m_pStatusFrame;
  std::unique_ptr<CTextPanel> m_pOpcFrame;
  std::unique_ptr<CTextPanel> m_pErrorNumber;
  std::unique_ptr<CTextPanel> m_pErrorMessage;
  std::unique_ptr<CTextButton> m_pStatusByte;
  std::unique_ptr<CTextButton> m_pPhaseLock;

  DECLARE_MESSAGE_MAP(CStatDlg)
};
