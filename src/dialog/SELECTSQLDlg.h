// CSELECTSQLDlg: the query builder dialog (template 1000). It holds the query form state,
// fills its controls from the host's tables and starting statement, recomposes the
// statement after every edit and closes with OK only when the statement composes.
//
// Virtual functions, in slot order: CWnd's and CDialog's (Wnd.h, Dialog.h), then the three
// this class adds, GetSQLQuery, SetSQLQuery and AddTableColumns, which hosts reach through
// the public header. The form operations the engine calls (IQueryForm) come after them;
// keep every new virtual function below those three.
#pragma once

#include <windows.h>

#include <string>
#include <unordered_map>

#include "controls/ButtonST.h"
#include "controls/ComboBoxFlexW.h"
#include "controls/ExCheckListBox.h"
#include "controls/OrderByListCtrl.h"
#include "controls/PreviewEdit.h"
#include "controls/TextlessCheckBox.h"
#include "controls/WhereListCtrl.h"
#include "dialog/GridCells.h"
#include "dialog/QueryForm.h"
#include "dialog/QueryFormState.h"
#include "platform/Dialog.h"

class CSELECTSQLDlg : public CDialog, public IQueryForm, public CQueryFormState {
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

    // --- The form on the real controls (IQueryForm).
    void ResetColumnList() override;
    int AddColumnItem(const char* text) override;
    int GetColumnItemCount() const override;
    CString GetColumnItemText(int item) const override;
    int GetColumnCheck(int item) const override;
    void SetColumnCheck(int item, int check) override;
    int FindColumnExact(const char* text) const override;
    void ResetTableCombo() override;
    int AddTableItem(const char* text) override;
    void SelectFirstTable() override;
    CString GetTableText() const override;
    BOOL IsWhereEnabled() const override;
    BOOL IsOrderByEnabled() const override;
    void SetPreviewText(const char* text) override;
    IGridCells& WhereGrid() override { return m_whereCells; }
    IGridCells& OrderByGrid() override { return m_orderByCells; }

    // --- Grid set-up, run once by OnInitDialog.
    BOOL InitWhereGrid();
    BOOL InitOrderByGrid();

    // --- The controls.
    CExCheckListBox m_lstColumns;
    COrderByListCtrl m_lstOrderBy;
    CWhereListCtrl m_lstWhere;
    CButtonST m_btnAddWhere;
    CButtonST m_btnRemoveWhere;
    CButtonST m_btnMoveUp;
    CButtonST m_btnMoveDown;
    CComboBoxFlexW m_cboTable;

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
    // Runs the When Printed dialog with the clause's default choices; on OK records its
    // text for the clause and answers TRUE, otherwise clears the clause's flag.
    BOOL AskWpText(int clause);
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

    CGridCells m_whereCells;
    CGridCells m_orderByCells;
    // Items of the column list by the sort key of their text, first item of equal texts;
    // built by the first search after the list changed.
    mutable std::unordered_map<std::string, int> m_columnKeys;
    // Control 1003, which shows a statement of any length in time linear in its length.
    CPreviewEdit m_edtPreview;
    // Check boxes 1010 and 1013, which show the keyboard focus although they have no text.
    CTextlessCheckBox m_chkWhereEnabled;
    CTextlessCheckBox m_chkOrderByEnabled;
};
