// CMemoryQuery::Open: the dialog's initialisation sequence on an in-memory form.
#include "dialog/MemoryQuery.h"

void CMemoryQuery::Open()
{
    m_state.InitChoiceLists();
    m_state.FillColumnList();
    m_state.FillTableCombo();
    m_form.SetWhereEnabled(TRUE);
    m_form.SetOrderByEnabled(TRUE);
    m_state.FillOrderByRows();
    m_form.SetPreviewText(m_state.m_strStatement);
    m_state.ParseSQLStatement();
    m_state.m_bInitialized = TRUE;
    if (m_state.m_strStatement.IsEmpty())
        m_state.BuildSQLStatement();
}
