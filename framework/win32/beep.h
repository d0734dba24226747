// The default beep.
#pragma once

void DefaultBeep();
