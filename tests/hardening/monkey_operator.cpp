#include "tests/hardening/monkey_operator.h"

#include <memory>

#include "res/resource.h"
#include "tests/support/app_fixture.h"
#include "tests/support/panel_driver.h"

namespace {

std::string ClassOf(HWND hWnd) {
  char name[32] = "";
  ::GetClassNameA(hWnd, name, sizeof name);
  return name;
}

bool IsUsable(HWND hWnd) { return ::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd); }

const std::vector<std::string> kMantissas{"0",   "1",   "2.5", "10",  "47",     "100", "0.5",
                                          "3.3", "999", "-1",  "-20", "1234.5", "15"};
const std::vector<std::string> kPrefixes{"", "", "k", "M", "m", "u", "K"};
const std::vector<std::string> kBadTexts{"",
                                         " ",
                                         "abc",
                                         "1..2",
                                         "--3",
                                         "1e999",
                                         "k",
                                         "1kk",
                                         "+-",
                                         "0x10",
                                         "1,5",
                                         "NaN",
                                         "inf",
                                         "99999999999999999999999999",
                                         std::string(300, '7'),
                                         "2.5 M Hz",
                                         "SIN",
                                         "\t"};
const std::vector<UINT> kMenu{ID_PANELS_MAIN,  ID_PANELS_STATUS,  ID_PANELS_AM,  ID_PANELS_BM,
                              ID_PANELS_FM,    ID_PANELS_SWEEP,   ID_PANELS_FSK, ID_SYSTEM_SYNC,
                              ID_SYSTEM_RESET, ID_SYSTEM_SELFTEST, ID_SYSTEM_RECONNECT,
                              ID_SYSTEM_CONNECT};

}  // namespace

CMonkeyOperator::CMonkeyOperator(CAppFixture& app, unsigned seed) : m_app(app), m_random(seed) {}

int CMonkeyOperator::Between(int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(m_random);
}

CMonkeyOperator::CControls CMonkeyOperator::ControlsOfPanel() const {
  CControls controls;
  HWND panel = m_app.Panel();
  for (HWND child = ::GetWindow(panel, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!IsUsable(child)) continue;
    int id = ::GetDlgCtrlID(child);
    std::string cls = ClassOf(child);
    if (lstrcmpiA(cls.c_str(), "Edit") == 0) controls.fields.push_back(id);
    if (lstrcmpiA(cls.c_str(), "ScrollBar") == 0) controls.spins.push_back(id);
    if (lstrcmpiA(cls.c_str(), "Button") == 0) controls.buttons.push_back(id);
    if (lstrcmpiA(cls.c_str(), "ComboBox") == 0) controls.lists.push_back(id);
  }
  return controls;
}

std::string CMonkeyOperator::ValueText() {
  if (Chance(25)) return OneOf(kBadTexts);
  return OneOf(kMantissas) + OneOf(kPrefixes);
}

std::string CMonkeyOperator::TypeIntoField(int id) {
  HWND panel = m_app.Panel();
  std::string text = ValueText();
  FocusOn(panel, id);
  TypeInto(panel, id, text);
  static const std::vector<UINT> keys{VK_RETURN, VK_RETURN, VK_RETURN, VK_TAB, VK_ESCAPE};
  UINT key = OneOf(keys);
  PressKey(key);
  return "type " + std::to_string(id) + " '" + text.substr(0, 20) + "' key " + std::to_string(key);
}

std::string CMonkeyOperator::SpinArrow(int id) {
  bool up = Chance(50);
  int times = Chance(20) ? Between(5, 30) : Between(1, 3);  // held, or clicked
  std::string done =
      "spin " + std::to_string(id) + (up ? " up x" : " down x") + std::to_string(times);
  if (Chance(10)) {  // let go elsewhere, or never: nothing may be sent
    for (int i = 0; i < times; ++i) Spin(m_app.Panel(), id, up ? SB_LINEUP : SB_LINEDOWN);
    return done + " held";
  }
  SpinAndRelease(m_app.Panel(), id, up, times);
  PumpMessages();
  return done;
}

std::string CMonkeyOperator::PressButton(int id) {
  if (Chance(15)) {
    DoubleClickButton(m_app.Panel(), id);
    return "double-click " + std::to_string(id);
  }
  ClickButton(m_app.Panel(), id);
  return "click " + std::to_string(id);
}

std::string CMonkeyOperator::ChooseFromList(int id) {
  HWND panel = m_app.Panel();
  int count = ItemCount(panel, id);
  if (count <= 0) return "list " + std::to_string(id) + " empty";
  if (Chance(15)) {  // the list opened: with Alt held, a read-back
    OpenList(panel, id);
    PumpMessages();
    return "open list " + std::to_string(id);
  }
  int index = Between(0, count - 1);
  ChooseItem(panel, id, index);
  PumpMessages();
  return "choose " + std::to_string(id) + " item " + std::to_string(index);
}

std::string CMonkeyOperator::MenuCommand() {
  UINT command = OneOf(kMenu);
  m_app.Command(command);
  PumpMessages();
  return "menu " + std::to_string(command);
}

std::string CMonkeyOperator::Act() {
  std::unique_ptr<CAltKeyHeld> alt;
  std::string prefix;
  if (Chance(10)) {
    alt = std::make_unique<CAltKeyHeld>();
    prefix = "Alt+";
  }
  CControls controls = ControlsOfPanel();
  int kind = Between(1, 100);
  if (kind <= 10 || m_app.Panel() == nullptr) return prefix + MenuCommand();
  if (kind <= 13) {
    ClickBackground(m_app.Panel(), POINT{2, 2});
    PumpMessages();
    return prefix + "click background";
  }
  if (kind <= 45 && !controls.fields.empty()) return prefix + TypeIntoField(OneOf(controls.fields));
  if (kind <= 65 && !controls.spins.empty()) return prefix + SpinArrow(OneOf(controls.spins));
  if (kind <= 85 && !controls.buttons.empty()) return prefix + PressButton(OneOf(controls.buttons));
  if (!controls.lists.empty()) return prefix + ChooseFromList(OneOf(controls.lists));
  return prefix + MenuCommand();
}
