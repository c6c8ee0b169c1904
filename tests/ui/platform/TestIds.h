// Resource and control ids of the platform tests' dialog templates (PlatformTests.rc).
#pragma once

#define IDD_CONTROLS 100
#define IDD_BIG_FONT 101
#define IDD_MISSING 999

#define IDC_EDIT 1001
#define IDC_CHECK 1002
#define IDC_PUSH 1003
#define IDC_COMBO 1004
#define IDC_CHECKLIST 1005
#define IDC_LISTVIEW 1006
