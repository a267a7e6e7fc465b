// The unattended change at logon (started with the argument A).
#pragma once
#include <stdint.h>

enum ChangeDecision { CHANGE_NOT_DUE = 0, CHANGE_DUE = 1, CHANGE_END = 2 };

ChangeDecision IsChangeDue(char mode, uint32_t today, uint32_t last);
int32_t NextIndex(int32_t index, int32_t count, ChangeDecision decision);

// Returns 1 when a wallpaper was applied, 0 otherwise.
int RunAutomaticChange();
