// COrderByListCtrl: the empty-grid text of the ORDER BY grid.
#include "controls/OrderByListCtrl.h"

CString COrderByListCtrl::GetEmptyText() const
{
    return CString("No columns?");
}
