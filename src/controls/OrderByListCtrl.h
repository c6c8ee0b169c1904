// COrderByListCtrl: the grid of ORDER BY keys, one row per column; empty only when the
// table has no columns, which its empty-grid text says.
#pragma once

#include "grid/XListCtrl.h"

class COrderByListCtrl : public CXListCtrl {
public:
    LPCTSTR GetEmptyText() override;
};
