// CWhereListCtrl: the grid of WHERE conditions, which tells an empty grid how to begin.
#pragma once

#include "grid/XListCtrl.h"

class CWhereListCtrl : public CXListCtrl {
public:
    LPCTSTR GetEmptyText() override;
};
