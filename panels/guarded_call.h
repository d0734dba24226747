// The guarded call of every panel handler: an instrument operation that fails
// is reported to the operator, and the handler goes on with its next step.
#pragma once

#include <functional>

// Runs the steps; on the instrument's failure reports it and returns false.
bool Guarded(const std::function<void()>& steps);

// The operator holds the Alt key: the action reads the instrument instead.
bool AltKeyHeld();
