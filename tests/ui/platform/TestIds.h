// Ids of the layer tests' dialog template (PlatformTests.rc).
#pragma once

#define IDD_LAYER 100

#define IDC_EDIT 1001
#define IDC_PUSH 1002
#define IDC_LIST 1004
