#include "settings/automatic_change.h"

#include "settings/files.h"
#include "settings/registry.h"
#include "settings/settings_state.h"
#include "settings/text.h"

// February always counts 28 days: the rule has no leap years.
static const uint32_t DaysInMonth[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

ChangeDecision IsChangeDue(char mode, uint32_t today, uint32_t last) {
  switch (mode) {
    case MODE_BOOT:
      return CHANGE_DUE;
    case MODE_DAILY:
      return today != last ? CHANGE_DUE : CHANGE_NOT_DUE;
    case MODE_WEEKLY: {
      unsigned ty = DateYear(today), tm = DateMonth(today), td = DateDay(today);
      unsigned ly = DateYear(last), lm = DateMonth(last), ld = DateDay(last);
      uint32_t days;
      if (ty != ly) return CHANGE_DUE;
      if (tm == lm) {
        days = (uint32_t)td - (uint32_t)ld;
      } else if (tm == lm + 1) {
        // A stored month above 12 is not a month: no table entry for it.
        if (lm > 12) return CHANGE_DUE;
        days = DaysInMonth[lm] + (uint32_t)td - (uint32_t)ld;
      } else {
        return CHANGE_DUE;
      }
      return days < 7 ? CHANGE_NOT_DUE : CHANGE_DUE;
    }
    default:
      return CHANGE_END;
  }
}

int32_t NextIndex(int32_t index, int32_t count, ChangeDecision decision) {
  if (decision == CHANGE_DUE) {
    // A negative index starts the list again, whatever the count: compared
    // unsigned against an empty count it would otherwise step to -4, -3, ...
    if (index >= 31 || index < 0) return 0;
    if ((uint32_t)index < (uint32_t)count - 1u) return index + 1;
    return 0;
  }
  if (index >= 32) return 0;
  return index;
}

int32_t ChooseEntry(int32_t index, int32_t count, ChangeDecision decision, EntryCheck check,
                    void* context) {
  // The due rule never visits more than 32 entries before it comes round.
  int32_t tries = count < 1 ? 1 : count > 32 ? 32 : count;
  int32_t at = NextIndex(index, count, decision);
  for (int32_t i = 0; i < tries; ++i, at = NextIndex(at, count, CHANGE_DUE)) {
    EntryState state = check(context, at);
    if (state == ENTRY_EXISTS) return at;
    if (state == ENTRY_UNUSABLE) break;
  }
  return NO_ENTRY;
}

// Reads the entry's path into text; a path whose file is gone would give a
// black desktop, so the run passes over it. A drive or share that gave no
// answer (each question may wait for the system's time-out, tens of seconds
// for a share) is not asked about again in this run: its entries are passed
// over at once.
struct EntryRead {
  RegKey key;
  char* text;
  // The roots that gave no answer, one after another with their
  // terminators; when it is full, a further one is not remembered.
  unsigned long awayUsed;
  char away[2048];
};
static EntryState CheckEntry(void* context, int32_t index) {
  EntryRead* read = (EntryRead*)context;
  char entry[ENTRY_NAME_SIZE];
  FormatEntryName(entry, index);
  if (!ReadText(read->key, entry, read->text, TEXT_SIZE)) return ENTRY_UNUSABLE;
  char root[TEXT_SIZE];
  unsigned long length = CopyText(root, TEXT_SIZE, read->text, PathRootLength(read->text));
  if (!length) return AskPath(read->text) == PATH_FILE ? ENTRY_EXISTS : ENTRY_MISSING;
  for (unsigned long at = 0; at < read->awayUsed; at += TextLength(read->away + at) + 1)
    if (SameFileName(root, read->away + at)) return ENTRY_MISSING;
  PathAnswer answer = AskPath(read->text);
  if (answer == PATH_FILE) return ENTRY_EXISTS;
  // A slow answer may also come from a share that is there (the logon's
  // first connection to a server can take seconds): the root's own answer
  // tells, and any in time, a refusal included, means it is there.
  if (answer == PATH_NO_ANSWER && read->awayUsed + length < sizeof read->away &&
      AskPath(root) == PATH_NO_ANSWER)
    read->awayUsed += CopyText(read->away + read->awayUsed, length + 1, root) + 1;
  return ENTRY_MISSING;
}

int RunAutomaticChange() {
  RegKey key;
  if (KeyOpen(PROGRAM_KEY, ACCESS_READ_WRITE, &key) != 0) return 0;

  int result = 0;
  uint32_t today = TodayDate();
  uint32_t last = 0, selected = 0, count = 0;
  char text[TEXT_SIZE];
  EntryRead read;
  read.key = key;
  read.text = text;
  read.awayUsed = 0;
  ChangeDecision decision;
  int32_t next;
  RegKey desktop;

  if (!ReadNumber(key, VALUE_LAST_CHANGE, &last)) goto end;
  SettingsState.LastChange = last;
  // An empty mode text is as good as a missing one.
  if (!ReadText(key, VALUE_CHANGE_MODE, text, sizeof text) || text[0] == 0) goto end;
  decision = IsChangeDue(text[0], today, last);
  if (decision == CHANGE_END) goto end;
  if (!ReadNumber(key, VALUE_SELECTED_BMP, &selected)) goto end;
  SettingsState.SelectedBmp = (int32_t)selected;
  // A negative count is no count at all.
  if (!ReadNumber(key, VALUE_BMP_COUNT, &count) || (int32_t)count < 0) goto end;
  SettingsState.BmpCount = (int32_t)count;

  // The check that answered last, for the chosen entry, left its path in text.
  next = ChooseEntry((int32_t)selected, (int32_t)count, decision, CheckEntry, &read);
  if (next == NO_ENTRY) goto end;

  WriteNumber(key, VALUE_SELECTED_BMP, (uint32_t)next);
  // Only a run that changed counts as the last change; otherwise a Weekly
  // user who logs on every day would never see the seven days pass.
  if (decision == CHANGE_DUE) WriteNumber(key, VALUE_LAST_CHANGE, today);
  SettingsState.SelectedBmp = next;
  KeyClose(key);
  key = nullptr;

  if (KeyOpen(DESKTOP_KEY, ACCESS_WRITE, &desktop) != 0) return 0;
  WriteText(desktop, VALUE_WALLPAPER, text);
  ApplyWallpaper(text);
  KeyClose(desktop);
  result = 1;

end:
  if (key) KeyClose(key);
  return result;
}
