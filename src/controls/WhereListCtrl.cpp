// CWhereListCtrl: the empty-grid text of the WHERE grid.
#include "controls/WhereListCtrl.h"

CString CWhereListCtrl::GetEmptyText() const
{
    return CString("Add search condition here.");
}
