#include "dialog/link_labels.h"
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

int OnLinkHover(uintptr_t wParam, void* label) {
  LinkLabel* l = FindLinkLabel(label);
  if (!l) return 0;
  int over = wParam != 0;
  if (over != l->hover) {
    l->hover = over;
    LinkPlatform.Repaint(l->window);
  }
  return 0;
}

bool LinkColorFor(void* control, uint32_t* color) {
  LinkLabel* l = FindLinkLabel(control);
  if (!l) return false;
  *color = l->hover ? LINK_COLOR_HOVERED : LINK_COLOR_PLAIN;
  return true;
}

bool LinkTickLeaves(bool pointerInside, bool labelUnderPointer) {
  return !(pointerInside && labelUnderPointer);
}

void ClearLinkHover() {
  for (LinkLabel& l : LinkLabels) l.hover = 0;
}

void OpenLinkTarget(int control) {
  for (LinkLabel& l : LinkLabels)
    if (l.control == control) LinkPlatform.Open(l.target);
}

const ToolTip ToolTable[TOOL_COUNT] = {
    {IDC_MODE_BOOT, "Select this option to change the wallpaper every time you boot your system"},
    {IDC_MODE_DAILY, "Select this option to change the wallpaper every day"},
    {IDC_MODE_WEEKLY, "Select this option to change the wallpaper every week"},
    {IDC_MODE_MANUAL, "Select this option to change the wallpaper manually"},
    {IDC_MODE_DEFAULT, "Select this option to use the Windows default wallpaper"},
    {IDC_MODE_NONE, "Select this option if you don't want to use a wallpaper"},
    {IDC_ADD, "Press this button to add a wallpaper to the list"},
    {IDC_REMOVE, "Press this button to remove the selected wallpapers from the list"},
    {IDC_SELECT, "Press this button to use the selected wallpaper"},
    {IDC_CLEAR, "Press this button to remove all Scenewheel information from the Registry"},
    {IDC_LIST, "List of the wallpapers to use"},
    {IDC_CURRENT, "Current wallpaper"},
    {IDC_SITE_LINK, "Click here to go to OrvanDale Internet site"},
    {IDC_MAIL_LINK, "Click here to send a mail to OrvanDale"},
};
