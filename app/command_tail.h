// The command tail behind the program name, and the choice it makes.
#pragma once

// Returns a pointer into commandLine where the arguments begin; never copies.
const char* FindCommandTail(const char* commandLine);

// True when the first character other than a blank or tab is the capital A.
bool TailSelectsUnattended(const char* tail);

// The tail of this process's own command line (the Windows face).
const char* GetCommandTail();
