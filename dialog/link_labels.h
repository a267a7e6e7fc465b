// The two link labels (web page and mail form): their table and the hover
// decision, portable; window handles are opaque here.
#pragma once
#include <stdint.h>

#define WM_LINK_HOVER 0x8080
enum { ID_HOVER_TIMER = 1810, HOVER_PERIOD_MS = 100 };
enum : uint32_t { LINK_COLOR_HOVERED = 0x000000FF, LINK_COLOR_PLAIN = 0x00FF0000 };

#define SITE_URL "http://orvandale.example/scenewheel/"
#define MAIL_URL "mailto:od@orvandale.example ?subject=Scenewheel"

struct LinkLabel {
  int control;      // IDC_SITE_LINK or IDC_MAIL_LINK
  void* window;     // the label's window, once attached
  void* savedProc;  // the procedure it had before; null when replacing failed
  int hover;        // 1 while shown as hovered
  const char* target;
};

// Site label first, then the mail label.
extern LinkLabel LinkLabels[2];

// The label whose window this is, or null.
LinkLabel* FindLinkLabel(void* window);

// WM_LINK_HOVER's wParam (nonzero: over the label) sets the hover flag;
// true when it changed, so that the label must be repainted.
bool SetLinkHover(LinkLabel* label, uintptr_t wParam);

// The text colour: red while hovered, else blue.
inline uint32_t LinkColor(const LinkLabel& label) {
  return label.hover ? LINK_COLOR_HOVERED : LINK_COLOR_PLAIN;
}

void ClearLinkHover();

// Opens the target of the label with this control id through the shell.
void OpenLinkTarget(int control);
