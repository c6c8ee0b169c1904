// CMemoryQuery: one run of the query builder on an in-memory form, without windows:
// open it as the dialog's initialisation does, then press OK.
#pragma once

#include "dialog/MemoryForm.h"
#include "dialog/QueryFormState.h"

class CMemoryQuery {
public:
    CMemoryQuery() : m_state(m_form) {}
    CMemoryQuery(const CMemoryQuery&) = delete;
    CMemoryQuery& operator=(const CMemoryQuery&) = delete;

    CMemoryForm& Form() { return m_form; }
    CQueryFormState& State() { return m_state; }

    // Fills the choice lists, the column list, the table combo and the ORDER BY
    // rows, checks both clause boxes, shows and parses m_strStatement, and marks
    // the form initialised; an empty statement is composed at once.
    void Open();
    // Composes as OK does: TRUE when the dialog may close with the statement.
    BOOL PressOk() { return m_state.BuildSQLStatement(); }

private:
    CMemoryForm m_form;  // declared first: the state holds a reference to it
    CQueryFormState m_state;
};
