// The two link labels (web page and mail form) and the tooltip table.
// The hover logic is portable: window handles are opaque here, and the
// repaint and the shell's open action go through the LinkApi seam.
#pragma once
#include <stdint.h>

#define WM_LINK_HOVER 0x8080
enum { ID_HOVER_TIMER = 1810, HOVER_PERIOD_MS = 100 };
enum : uint32_t { LINK_COLOR_HOVERED = 0x000000FF, LINK_COLOR_PLAIN = 0x00FF0000 };

#define SITE_URL "http://orvandale.example/scenewheel/"
#define MAIL_URL "mailto:od@orvandale.example ?subject=Scenewheel"

struct LinkLabel {
  int control;        // IDC_SITE_LINK or IDC_MAIL_LINK
  void* window;       // the label's window, once attached
  void* savedProc;    // the procedure it had before; null when replacing failed
  int hover;          // 1 while shown as hovered
  const char* target;
};

// Site label first, then the mail label.
extern LinkLabel LinkLabels[2];

struct LinkApi {
  void (*Repaint)(void* label);       // invalidate with erase, then update at once
  void (*Open)(const char* target);   // the shell's "open" action
};
extern LinkApi LinkPlatform;

// The label whose window this is, or null.
LinkLabel* FindLinkLabel(void* window);

// WM_LINK_HOVER: wParam nonzero means over the label. Repaints only when
// the flag changes. Always FALSE.
int OnLinkHover(uintptr_t wParam, void* label);

// Text colour for a static control asking for its colours: true and the
// colour for the two labels, false for every other control.
bool LinkColorFor(void* control, uint32_t* color);

// A hover timer tick leaves the label unless the pointer is inside it and
// the label itself is the window under the pointer.
bool LinkTickLeaves(bool pointerInside, bool labelUnderPointer);

void ClearLinkHover();

// Opens the target of the label with this control id.
void OpenLinkTarget(int control);

struct ToolTip {
  int control;
  const char* text;
};
enum { TOOL_COUNT = 14, TOOLTIP_MAX_WIDTH = 200 };
extern const ToolTip ToolTable[TOOL_COUNT];
