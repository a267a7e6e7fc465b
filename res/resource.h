// Resource and control ids of Scenewheel.
#pragma once

#define IDD_MAIN 1000
#define IDB_LOGO 1710

#define IDC_CURRENT 1110
#define IDC_LIST 1120
#define IDC_ADD 1310
#define IDC_REMOVE 1320
#define IDC_SELECT 1330
#define IDC_MODE_BOOT 1410
#define IDC_MODE_DAILY 1420
#define IDC_MODE_WEEKLY 1430
#define IDC_MODE_MANUAL 1440
#define IDC_MODE_DEFAULT 1450
#define IDC_MODE_NONE 1460
#define IDC_CLEAR 1510
#define IDC_SITE_LINK 1620
#define IDC_MAIL_LINK 1630
#define IDC_PREVIEW 1650

#ifndef IDOK
#define IDOK 1
#define IDCANCEL 2
#endif
