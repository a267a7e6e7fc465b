// The WallpaperList while the dialog is open: adding through the open-file
// dialog, removing, making an entry current, and following the selection
// with the preview. Portable; the list box and preview are seams.
#pragma once

#define OPEN_FILE_FILTER "Bitmap files(*.bmp)\0*.bmp\0"
#define OPEN_FILE_TITLE "Open a bitmap file"
enum : unsigned long { OPEN_FILE_FLAGS = 0x00081804 };

// The full path picked in the open-file dialog.
extern char ChosenFile[260];

int ChooseBitmapFile();
int AddChosenFile();
int RemoveSelectedEntries();
int SelectCurrentEntry();
void OnListSelectionChange();
