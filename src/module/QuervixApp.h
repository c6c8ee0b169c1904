// CQuervixApp: the module object of Quervix.dll, whose instance handle is where the
// dialogs find their templates and icons.
#pragma once

#include "platform/WinApp.h"

class CQuervixApp : public CWinApp {
public:
    CQuervixApp() = default;
    ~CQuervixApp() override;
};
