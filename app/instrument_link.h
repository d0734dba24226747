// The link to the live instrument at run time. Nothing watches a healthy
// link: a driver call of the operator's finds it lost. Then the lamp turns
// red, the Connection window says so, and the program tries the same resource
// again after 1, 2, 5 and then every 10 s, until the instrument answers,
// the operator works non-live, or another instrument answers there.
#pragma once

#include <cstdint>
#include <string>

class CConnectionWnd;
class CLiveInstrument;

class CInstrumentLink {
 public:
  // A driver call found the link lost (again).
  void LinkDown();
  // An operation was refused while the link is down: the Connection window
  // comes to the front, with one beep for the operator's action.
  void Refused();
  // One try at once: close the session, open the resource again without a
  // reset, check that the same instrument answers, and bring the panels back.
  void Reconnect();
  // Stops the tries; the program goes on non-live with the remembered settings.
  void WorkNonLive();
  // The instrument object was replaced, or the program ends.
  void Forget();

  bool IsDown() const { return m_down; }
  // The seconds before the next try, for the schedule 1, 2, 5, 10, 10, ...
  static int SecondsBeforeTry(int triesMade);

 private:
  void Tick();
  void OpenWindow();
  void CloseWindow();
  void ShowWaiting();
  void TryFailed();
  bool SameInstrument(const std::string& identity);
  void Restored(CLiveInstrument& live, int16_t eventStatus);
  void AskAboutPowerOn(CLiveInstrument& live);

  CConnectionWnd* m_window = nullptr;
  bool m_down = false;
  bool m_trying = false;
  // Another instrument answered: no more tries until the operator asks.
  bool m_waitForOperator = false;
  int m_triesMade = 0;
  int m_secondsLeft = 0;
  unsigned long m_lastBeepMs = 0;
  // The serial number the instrument gave when it was last reached.
  std::string m_serial;
};

CInstrumentLink& InstrumentLink();
