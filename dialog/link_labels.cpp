#include "dialog/link_labels.h"

#include "dialog/dialog_view.h"
#include "res/resource.h"

LinkLabel LinkLabels[2] = {
    {IDC_SITE_LINK, nullptr, nullptr, 0, SITE_URL},
    {IDC_MAIL_LINK, nullptr, nullptr, 0, MAIL_URL},
};

LinkLabel* FindLinkLabel(void* window) {
  if (!window) return nullptr;
  for (LinkLabel& l : LinkLabels)
    if (l.window == window) return &l;
  return nullptr;
}

bool SetLinkHover(LinkLabel* label, uintptr_t wParam) {
  int over = wParam != 0;
  if (over == label->hover) return false;
  label->hover = over;
  return true;
}

void ClearLinkHover() {
  for (LinkLabel& l : LinkLabels) l.hover = 0;
}

void OpenLinkTarget(int control) {
  for (const LinkLabel& l : LinkLabels)
    if (l.control == control) ShellOpen(l.target);
}
