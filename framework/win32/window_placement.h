// Where a new tool window opens so that it hides nothing of its owner.
#pragma once

#include <windows.h>

// The rectangle for a window of size `wanted` (at least `minimum`) next to
// `owner` inside `workArea`: on its right or left where there is room for the
// minimum size, otherwise below it, otherwise above it, each no larger than
// the room there. When no side has room it lies at the bottom of the work
// area at its minimum size.
RECT PlaceBeside(const RECT& owner, SIZE wanted, SIZE minimum, const RECT& workArea);

// The work area of the monitor that holds `window`.
RECT WorkAreaOf(HWND window);
