// The default beep, with a listener that tests use to count beeps.
#pragma once

void DefaultBeep();
void SetBeepListener(void (*listener)());
