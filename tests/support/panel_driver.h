// Operator actions on a panel, done with the real messages that the mouse and
// keyboard would bring.
#pragma once

#include <windows.h>

#include <string>

// Puts the keyboard focus into control `id` of the dialog.
void FocusOn(HWND dialog, int id);
// Replaces the text of control `id`, as typing would.
void TypeInto(HWND dialog, int id, const std::string& text);
// Presses and releases a key for the window with the focus; the dialog
// manager sees it first (Enter, Tab, Escape).
void PressKey(UINT vk);
// Holds a key down for `repeats` presses (the keyboard's repeat), then lets it go.
void HoldKey(UINT vk, int repeats);
// Focus into the field, type, Enter.
void EnterValue(HWND dialog, int id, const std::string& text);
// A spin arrow: SB_LINEUP (upper arrow), SB_LINEDOWN, SB_ENDSCROLL (released).
void Spin(HWND dialog, int spinId, UINT code);
// Press the upper or lower arrow `times` times and let it go.
void SpinAndRelease(HWND dialog, int spinId, bool up, int times = 1);
// Chooses item `index` of a drop-down list.
void ChooseItem(HWND dialog, int comboId, int index);
void OpenList(HWND dialog, int comboId);
int SelectedItem(HWND dialog, int comboId);
std::string ItemText(HWND dialog, int comboId, int index);
int ItemCount(HWND dialog, int comboId);
// A left click on a button: down and up over its centre.
void ClickButton(HWND dialog, int id);
void DoubleClickButton(HWND dialog, int id);
// A click on the dialog's own background at a point of its client area.
void ClickBackground(HWND dialog, POINT point);
int FocusedId();
