// CQueryFormState: the query builder's form state, its composer and its parser.
// The dialog derives from its window class and from this class, and implements
// IQueryForm on its controls; tests and tools use CMemoryForm instead.
#pragma once

#include "dialog/QueryForm.h"
#include "platform/BaseTypes.h"
#include "platform/CString.h"
#include "platform/StringArray.h"
#include "platform/StringMap.h"

// Clause indexes of the When Printed members.
enum QueryClause { kClauseSelect = 0, kClauseFrom = 1, kClauseWhere = 2, kClauseOrderBy = 3 };

class CQueryFormState {
public:
    // The form is used, not owned; it is not touched during construction, so the
    // dialog may pass itself.
    explicit CQueryFormState(IQueryForm& form);
    CQueryFormState(const CQueryFormState&) = delete;
    CQueryFormState& operator=(const CQueryFormState&) = delete;

    // --- Host side (the dialog's three added virtual functions forward here).
    // Stores the column string under the table's name, replacing an existing entry.
    BOOL AddTableColumns(const char* table, const char* columns);
    void SetSQLQuery(const char* text);
    const char* GetSQLQuery() const { return m_strStatement.GetString(); }

    // --- Form set-up, in the order the dialog's initialisation runs it.
    // Fills the choice lists; the columns come from the map's first table.
    void InitChoiceLists();
    void FillColumnList();
    void FillTableCombo();
    // The ORDER BY grid's rows, one per column, unchecked, with a switched-off
    // AscDesc drop-down; the grid's columns must already exist.
    void FillOrderByRows();
    // Appends a WHERE row; a negative index takes the default choice and a null
    // value an empty one. Adds nothing while there are no columns; FALSE when the
    // grid could not take the row.
    BOOL AddWhereRow(int nAndOr, int nField, int nOperator, const char* pszValue);
    // Appends an empty row: its index, or -1 with no row left behind.
    static int AppendGridRow(IGridCells& grid);

    // --- Composer: rewrites m_strStatement and the preview, or stores the
    // syntax error in m_strError and leaves both.
    BOOL BuildSQLStatement();
    static CString QuoteName(const char* name);

    // --- Parser: reads m_strStatement into the freshly filled form, once.
    int ParseSQLStatement();
    static int SplitClauses(const CString& statement, CStringArray& columnItems,
                            CStringArray& conditionItems, CStringArray& sortItems);
    static int FindNextConnector(const CString& text, int& separatorLength);
    static int FindFieldEnd(const CString& text);

    // --- When Printed bookkeeping for the clause editors.
    BOOL IsWpSelect() const;
    BOOL IsWpFrom() const;
    BOOL IsWpOrderBy() const;
    void ClearWpClause() { m_strWpClause.Empty(); }
    // The When Printed dialog was accepted for a clause (SELECT, FROM or ORDER BY):
    // value, clause text, pending keyword and flag. FALSE for any other clause.
    BOOL AcceptWpText(int clause, const CString& text);
    // The clause's control changed to something else, or the dialog was cancelled.
    void ClearWpFlag(int clause);
    // A name that stands for the When Printed entry, in any letter case.
    static BOOL IsWpEntry(const char* name);
    // The default choices offered for a clause: the names its control offers,
    // upper-cased, without the When Printed entry itself.
    void CollectWpChoices(int clause, CStringArray& choices);
    // «{'prompt'|'default'}», nothing escaped.
    static CString MakeWpText(const char* prompt, const char* defaultValue);

    // --- The form state, named as the dialog names it.
    CString m_strWpValue;
    CString m_strWpClause;
    CStringArray m_arrWpClauseText;  // always four entries, by QueryClause
    BOOL m_bWpClause[4];
    CString m_strStatement;
    CString m_strError;
    CStringArray m_arrAndOr;
    CStringArray m_arrColumns;
    CStringArray m_arrOperators;
    CStringArray m_arrAscDesc;
    CMapStringToString m_mapTables;
    BOOL m_bInitialized;

protected:
    IQueryForm& Form() { return m_form; }
    const IQueryForm& Form() const { return m_form; }

private:
    static void SplitColumnString(const CString& columns, CStringArray& names);
    CString ComposeSelectList();
    CString ComposeConditions(BOOL& valid);
    CString ComposeSortList();
    void ReadColumnItems(const CStringArray& columnItems);
    void ReadConditionItems(const CStringArray& conditionItems);
    void ReadSortItems(const CStringArray& sortItems);

    IQueryForm& m_form;
};

// The texts the engine writes and compares.
extern const char kWpEntryName[];    // "{WHEN PRINTED}"
extern const char kBlankChoice[];    // "   ", the first AndOr and AscDesc entry
