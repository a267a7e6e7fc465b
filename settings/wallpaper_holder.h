// What load and save need of the dialog while it is open: the list box that
// holds the WallpaperList, the current-wallpaper field and the preview.
// Declared here, implemented by the dialog (and by a fake in the tests).
#pragma once

enum { LIST_ERR = -1 };  // LB_ERR

// The number of entries, or LIST_ERR when the list is unusable.
int ListCount();
// Text of entry index into a 260-byte buffer: its length, or LIST_ERR when
// there is no such entry (or it would not fit).
int ListText(int index, char* text);
void ListAppend(const char* text);
void ListReset();
// The text of the current-wallpaper field.
void SetCurrentText(const char* text);
// Shows the bitmap file scaled in the preview; null shows the logo.
void ShowPreview(const char* path);
