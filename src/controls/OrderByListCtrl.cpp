// COrderByListCtrl: the empty-grid text of the ORDER BY grid.
#include "controls/OrderByListCtrl.h"

LPCTSTR COrderByListCtrl::GetEmptyText()
{
    return "No columns?";
}
