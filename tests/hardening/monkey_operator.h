// A random operator on the live program: each Act() is one action chosen from
// a fixed seed over whatever the current panel offers (fields, spin arrows,
// toggles and buttons, lists), the menu, and the Alt key held.
#pragma once

#include <windows.h>

#include <random>
#include <string>
#include <vector>

class CAppFixture;

class CMonkeyOperator {
 public:
  CMonkeyOperator(CAppFixture& app, unsigned seed);

  // One action; returns what it did ("type FREQ 2.5k Enter"), for the log of
  // a failing run.
  std::string Act();

  bool Chance(int percent) { return Between(1, 100) <= percent; }
  int Between(int low, int high);

 private:
  struct CControls {
    std::vector<int> fields;
    std::vector<int> spins;
    std::vector<int> buttons;
    std::vector<int> lists;
  };
  CControls ControlsOfPanel() const;
  std::string TypeIntoField(int id);
  std::string SpinArrow(int id);
  std::string PressButton(int id);
  std::string ChooseFromList(int id);
  std::string MenuCommand();
  std::string ValueText();
  template <typename T>
  const T& OneOf(const std::vector<T>& items) {
    return items[static_cast<size_t>(Between(0, static_cast<int>(items.size()) - 1))];
  }

  CAppFixture& m_app;
  std::mt19937 m_random;
};
