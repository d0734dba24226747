// The user exception: thrown by a failing instrument operation. It carries no
// data; the catcher asks the instrument for its last status.
#pragma once

class CUserException {};

[[noreturn]] inline void ThrowUserException() { throw CUserException(); }
