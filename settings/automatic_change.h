// The unattended change at logon (started with the argument A).
#pragma once
#include <stdint.h>

enum ChangeDecision { CHANGE_NOT_DUE = 0, CHANGE_DUE = 1, CHANGE_END = 2 };

ChangeDecision IsChangeDue(char mode, uint32_t today, uint32_t last);
int32_t NextIndex(int32_t index, int32_t count, ChangeDecision decision);

// What the run finds for an entry: its file, no file, or an entry value that
// cannot be read, which ends the run.
enum EntryState { ENTRY_EXISTS, ENTRY_MISSING, ENTRY_UNUSABLE };
typedef EntryState (*EntryCheck)(void* context, int32_t index);
// Only a stored index of INT32_MIN, not due, could be chosen as this; the run
// then changes nothing, which suits an index that far out of the list.
const int32_t NO_ENTRY = INT32_MIN;

// The entry to apply: the one NextIndex gives, or when its file is gone the
// ones after it by the due rule, at most count tries (1 to 32). NO_ENTRY when
// no file is there within them or an entry cannot be read.
int32_t ChooseEntry(int32_t index, int32_t count, ChangeDecision decision, EntryCheck check,
                    void* context);

// Returns 1 when a wallpaper was applied, 0 otherwise.
int RunAutomaticChange();
