// One operator action on one control of a panel, as a value that a table row
// can hold, and its performance with the real messages of panel_driver.h.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

enum class EAction {
  kNothing, kClick, kAltClick, kDoubleClick,
  kChoose, kAltChoose, kOpenList, kAltOpenList,
  kEnter, kTypeAndLeave, kFocus, kAltFocus,
  kTabs, kKey, kHoldKey, kArrows, kArrowsReleased
};

struct CAction {
  EAction m_kind;
  int m_item = 0;        // kChoose, kAltChoose; the spin control of kArrows...
  std::string m_text{};  // kEnter, kTypeAndLeave
  int m_repeats = 1;     // kHoldKey; kArrows...: up (+) or down (-) presses
};

inline const CAction kNothing{EAction::kNothing};
inline const CAction kClick{EAction::kClick};
inline const CAction kAltClick{EAction::kAltClick};
inline const CAction kDoubleClick{EAction::kDoubleClick};
inline const CAction kOpenList{EAction::kOpenList};
inline const CAction kAltOpenList{EAction::kAltOpenList};
inline const CAction kFocus{EAction::kFocus};
inline const CAction kAltFocus{EAction::kAltFocus};
inline CAction Choose(int item) { return {EAction::kChoose, item}; }
inline CAction AltChoose(int item) { return {EAction::kAltChoose, item}; }
inline CAction Enter(std::string text) { return {EAction::kEnter, 0, std::move(text)}; }
inline CAction TypeAndLeave(std::string text) { return {EAction::kTypeAndLeave, 0, std::move(text)}; }
// Tab pressed `presses` times from the focus the panel opens with.
inline CAction Tabs(int presses) { return {EAction::kTabs, presses}; }
// The focus into the control, then key `vk` pressed and let go.
inline CAction Key(UINT vk) { return {EAction::kKey, static_cast<int>(vk)}; }
// The focus into the control, then key `vk` held for `repeats` presses.
inline CAction Hold(UINT vk, int repeats) { return {EAction::kHoldKey, static_cast<int>(vk), "", repeats}; }
// The upper arrow of `spin` pressed `presses` times (the lower one for a
// negative count) and held; Released lets it go after.
inline CAction Arrows(int spin, int presses) { return {EAction::kArrows, spin, "", presses}; }
inline CAction Released(int spin, int presses) {
  return {EAction::kArrowsReleased, spin, "", presses};
}

void Perform(HWND panel, int id, const CAction& action);
