#pragma once

// Resource ids, shared by the resource script and the code that loads them.
// Plain macros: the resource compiler reads this file too.

// The program's icon; the lowest icon id is also the one Explorer shows for the .exe.
#define IDI_QUILLET 1
