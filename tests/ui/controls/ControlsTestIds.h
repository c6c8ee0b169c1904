/* Ids of the controls test program's own host dialog; clear of the library's resource ids. */
#pragma once

#define IDD_CONTROLS_HOST      5000
#define IDC_HOST_COLUMNS       5001
#define IDC_HOST_TABLE         5002
#define IDC_HOST_WIDE_TABLE    5003
#define IDC_HOST_ADD           5004
#define IDC_HOST_UP            5005
