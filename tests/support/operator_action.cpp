#include "tests/support/operator_action.h"

#include <cstdlib>

#include "tests/support/app_fixture.h"
#include "tests/support/panel_driver.h"

void Perform(HWND panel, int id, const CAction& action) {
  switch (action.m_kind) {
    case EAction::kNothing: break;
    case EAction::kClick: ClickButton(panel, id); break;
    case EAction::kAltClick: { CAltKeyHeld alt; ClickButton(panel, id); } break;
    case EAction::kDoubleClick: DoubleClickButton(panel, id); break;
    case EAction::kChoose: ChooseItem(panel, id, action.m_item); break;
    case EAction::kAltChoose: {
      FocusOn(panel, id);
      CAltKeyHeld alt;
      ChooseItem(panel, id, action.m_item);
    } break;
    case EAction::kOpenList: OpenList(panel, id); break;
    case EAction::kAltOpenList: { CAltKeyHeld alt; OpenList(panel, id); } break;
    case EAction::kEnter: EnterValue(panel, id, action.m_text); break;
    case EAction::kTypeAndLeave:
      FocusOn(panel, id);
      TypeInto(panel, id, action.m_text);
      PressKey(VK_TAB);
      break;
    case EAction::kFocus: FocusOn(panel, id); break;
    case EAction::kAltFocus: { CAltKeyHeld alt; FocusOn(panel, id); } break;
    case EAction::kTabs:
      for (int i = 0; i < action.m_item; ++i) PressKey(VK_TAB);
      break;
    case EAction::kKey:
      FocusOn(panel, id);
      PressKey(static_cast<UINT>(action.m_item));
      break;
    case EAction::kHoldKey:
      FocusOn(panel, id);
      HoldKey(static_cast<UINT>(action.m_item), action.m_repeats);
      break;
    case EAction::kArrows:
      for (int i = 0; i < std::abs(action.m_repeats); ++i)
        Spin(panel, action.m_item, action.m_repeats > 0 ? SB_LINEUP : SB_LINEDOWN);
      break;
    case EAction::kArrowsReleased:
      SpinAndRelease(panel, action.m_item, action.m_repeats > 0, std::abs(action.m_repeats));
      break;
  }
}
