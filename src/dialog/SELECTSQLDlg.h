// CSELECTSQLDlg: the query builder dialog (template 1000). It holds the query form state,
// shows the host's starting statement in its controls, recomposes the statement after
// every edit and closes with OK only when the statement composes. The statement's text
// itself is the engine's (engine/Query.h): the dialog maps a Query onto its controls and back.
//
// Virtual functions, in slot order: CWnd's and CDialog's (Wnd.h, Dialog.h), then the three
// this class adds, GetSQLQuery, SetSQLQuery and AddTableColumns, which hosts reach through
// the public header; keep every new virtual function below those three.
#pragma once

#include <windows.h>

#include "controls/ButtonST.h"
#include "controls/ComboBoxFlexW.h"
#include "controls/ExCheckListBox.h"
#include "controls/OrderByListCtrl.h"
#include "controls/PreviewEdit.h"
#include "controls/TextlessCheckBox.h"
#include "controls/WhereListCtrl.h"
#include "engine/Query.h"
#include "platform/Dialog.h"
#include "platform/StringArray.h"
#include "platform/StringMap.h"

// Clause indexes of the When Printed members.
enum QueryClause { kClauseSelect = 0, kClauseFrom = 1, kClauseWhere = 2, kClauseOrderBy = 3 };
// Cells of a WHERE row and of an ORDER BY row, as the grids number them.
enum WhereCell { kWhereValue = 0, kWhereAndOr = 1, kWhereField = 2, kWhereOperator = 3 };
enum OrderByCell { kOrderByCheck = 0, kOrderByField = 1, kOrderByAscDesc = 2 };

class CSELECTSQLDlg : public CDialog {
public:
    explicit CSELECTSQLDlg(CWnd* pParent = nullptr);
    ~CSELECTSQLDlg() override;

    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Runs the dialog with the library's own templates and icons, whatever resource
    // handle the caller's module state had, and puts that handle back afterwards.
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // --- The host's interface (the order of these three is part of the DLL's ABI).
    // The current statement, valid until the statement changes or the object goes.
    virtual const char* GetSQLQuery();
    virtual void SetSQLQuery(const char* text);
    // Stores the column string under the table's name, replacing an entry of that name.
    virtual BOOL AddTableColumns(const char* table, const char* columns);

    // --- The form, in the order the dialog's initialisation sets it up.
    // The choice lists; the columns come from the map's first table.
    void InitChoiceLists();
    void FillColumnList();
    void FillTableCombo();
    BOOL InitWhereGrid();
    // One row per column, unchecked, with a switched-off AscDesc drop-down.
    BOOL InitOrderByGrid();
    // Appends a WHERE row; a negative index takes the default choice and a null value an
    // empty one. Adds nothing while there are no columns.
    BOOL AddWhereRow(int nAndOr, int nField, int nOperator, const char* pszValue);

    // Composes the form: rewrites m_strStatement and the preview, or stores the syntax
    // error in m_strError and leaves both. Does nothing until the form is initialised.
    BOOL BuildSQLStatement();
    // Reads m_strStatement into the freshly filled form, once.
    void ParseSQLStatement();

    // --- When Printed bookkeeping of the clause editors.
    BOOL IsWpSelect() const { return m_strWpClause == "SELECT" ? TRUE : FALSE; }
    BOOL IsWpFrom() const { return m_strWpClause == "FROM" ? TRUE : FALSE; }
    BOOL IsWpOrderBy() const { return m_strWpClause == "ORDER BY" ? TRUE : FALSE; }
    void ClearWpClause() { m_strWpClause.Empty(); }

    // --- The form state, members in their declaration order.
    CString m_strWpValue;
    CString m_strWpClause;
    CStringArray m_arrWpClauseText;  // always four entries, by QueryClause
    BOOL m_bWpClause[4];
    CExCheckListBox m_lstColumns;
    COrderByListCtrl m_lstOrderBy;
    CWhereListCtrl m_lstWhere;
    CButtonST m_btnAddWhere;
    CButtonST m_btnRemoveWhere;
    CButtonST m_btnMoveUp;
    CButtonST m_btnMoveDown;
    CComboBoxFlexW m_cboTable;
    CString m_strStatement;
    CString m_strError;
    CStringArray m_arrAndOr;
    CStringArray m_arrColumns;
    CStringArray m_arrOperators;
    CStringArray m_arrAscDesc;
    CMapStringToString m_mapTables;
    BOOL m_bInitialized;

protected:
    // Statics 1000, 1001 and the clause labels in blue; the read-only preview in white.
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlColor);

    // SELECT and FROM (SELECTSQLDlgSelection.cpp).
    void OnCheckChangeColumns();
    void OnSelChangeColumns();
    void OnSelChangeTable();

    // WHERE (SELECTSQLDlgWhere.cpp).
    void OnWhereCheck();
    void OnAddWhere();
    void OnRemoveWhere();
    void OnDblClkWhere(NMHDR* pNMHDR, LRESULT* pResult);
    void OnKeyDownWhere(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginLabelEditWhere(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEditWhere(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemChangedWhere(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnComboSelection(WPARAM wParam, LPARAM lParam);

    // ORDER BY (SELECTSQLDlgOrderBy.cpp).
    void OnOrderByCheck();
    void OnMoveUp();
    void OnMoveDown();
    LRESULT OnCheckboxClicked(WPARAM wParam, LPARAM lParam);
    // Posted by OnCheckboxClicked to itself: the When Printed question of the sort key.
    static constexpr UINT kAskOrderByWpText = WM_APP + 1;
    LRESULT OnAskOrderByWpText(WPARAM wParam, LPARAM lParam);

private:
    // The form as a query: ticks, table, rows of a ticked box, When Printed clauses.
    Query FormQuery() const;
    // The clauses a composition reached give up the pending When Printed keyword.
    void ConsumeWpClause(const Composed& composed);
    void ShowQuery(const Query& query);
    void ShowSortKeys(const Query& query);
    std::vector<std::string> ColumnNames() const;
    BOOL IsWhereEnabled() const;
    BOOL IsOrderByEnabled() const;
    // A WHERE row whose operator compares with nothing has no value to edit.
    bool HasValueCell(int row) const;
    void EditValue(int row);

    // Runs the When Printed dialog with the clause's default choices; on OK records its
    // text for the clause and answers TRUE, otherwise clears the clause's flag.
    BOOL AskWpText(int clause);
    void AcceptWpText(int clause, const CString& text);
    // A clause read from the statement as a When Printed text: flag and text, nothing pending.
    void RestoreWpClause(int clause, const std::string& text);
    // The clause's control changed to something else, or the question was cancelled.
    void ClearWpFlag(int clause);
    // The names a clause's control offers, upper-cased, without the When Printed entry.
    void CollectWpChoices(int clause, CStringArray& choices) const;

    void MoveOrderByRow(int direction);
    void EnableControls(const int* ids, int count, BOOL enable);
    void ReserveColumnList();

    // One column of a clause grid: its cell index, title and width in grid units.
    struct GridColumn {
        int cell;
        const char* title;
        int units;
    };
    // The set-up both clause grids share: full-row, tracking selection, tool tips, and
    // left-aligned columns whose widths divide the grid's width into totalUnits parts.
    static void InsertGridColumns(CXListCtrl& grid, const GridColumn* columns, int count, int totalUnits);
    // Appends an empty row; -1 when the grid could not make one with its cell records.
    static int AppendGridRow(CXListCtrl& grid);

    // Control 1003, which shows a statement of any length in time linear in its length.
    CPreviewEdit m_edtPreview;
    // Check boxes 1010 and 1013, which show the keyboard focus although they have no text.
    CTextlessCheckBox m_chkWhereEnabled;
    CTextlessCheckBox m_chkOrderByEnabled;
};
