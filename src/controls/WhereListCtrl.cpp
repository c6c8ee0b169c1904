// CWhereListCtrl: the empty-grid text of the WHERE grid.
#include "controls/WhereListCtrl.h"

LPCTSTR CWhereListCtrl::GetEmptyText()
{
    return "Add search condition here.";
}
