// CSELECTSQLDlg: construction, the host's interface, the resource switch of DoModal, the
// message map, initialisation, key filtering, colours, OK and Cancel.
#include "dialog/SELECTSQLDlg.h"

#include "grid/RegisteredMessages.h"
#include "platform/DataExchange.h"
#include "platform/WinApp.h"
#include "resources/resource.h"

namespace {

const COLORREF kLabelColor = RGB(0, 0, 255);
const COLORREF kPreviewBackground = RGB(255, 255, 255);

bool IsBlueLabel(int id)
{
    switch (id) {
    case IDC_SYNTAX_HEADING:
    case IDC_SYNTAX_HELP:
    case IDC_SELECT_LABEL:
    case IDC_FROM_LABEL:
    case IDC_WHERE_LABEL:
    case IDC_ORDERBY_LABEL:
        return true;
    default:
        return false;
    }
}

// The library's own module: the module object knows it once the DLL has started; code
// linked into a test program without the DLL has only the module of this code.
HINSTANCE LibraryInstance()
{
    if (CWinApp* app = AfxGetApp()) {
        if (app->m_hInstance) return app->m_hInstance;
    }
    return AfxGetInstanceHandle();
}

}  // namespace

CSELECTSQLDlg::CSELECTSQLDlg(CWnd* pParent)
    : CDialog(IDD_SELECTSQL, pParent), m_bWpClause{FALSE, FALSE, FALSE, FALSE}, m_mapTables(10), m_bInitialized(FALSE)
{
    for (int clause = 0; clause < 4; ++clause) m_arrWpClauseText.Add("");
}

CSELECTSQLDlg::~CSELECTSQLDlg() = default;

const char* CSELECTSQLDlg::GetSQLQuery()
{
    return m_strStatement.GetString();
}

// A C++ host calls these through the object's table of functions, from code with a C++
// runtime of its own: nothing thrown in here may reach it. Out of memory, the statement
// and the tables stay as they were, and AddTableColumns says so.
void CSELECTSQLDlg::SetSQLQuery(const char* text)
{
    try {
        m_strStatement = text ? text : "";
    } catch (...) {
    }
}

BOOL CSELECTSQLDlg::AddTableColumns(const char* table, const char* columns)
{
    try {
        m_mapTables.SetAt(table ? table : "", columns ? columns : "");
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

const MessageMap* CSELECTSQLDlg::StaticMessageMap()
{
    using D = CSELECTSQLDlg;
    static const MessageEntry entries[] = {
        msgmap::CtlColor<&D::OnCtlColor>(),
        msgmap::Command<&D::OnOrderByCheck>(BN_CLICKED, IDC_ORDERBY_ENABLED),
        msgmap::Command<&D::OnWhereCheck>(BN_CLICKED, IDC_WHERE_ENABLED),
        msgmap::Command<&D::OnMoveDown>(BN_CLICKED, IDC_MOVE_DOWN),
        msgmap::Command<&D::OnMoveUp>(BN_CLICKED, IDC_MOVE_UP),
        msgmap::Command<&D::OnSelChangeTable>(CBN_SELCHANGE, IDC_TABLE),
        msgmap::Command<&D::OnSelChangeColumns>(LBN_SELCHANGE, IDC_COLUMNS),
        msgmap::Command<&D::OnAddWhere>(BN_CLICKED, IDC_ADD_WHERE),
        msgmap::Command<&D::OnRemoveWhere>(BN_CLICKED, IDC_REMOVE_WHERE),
        msgmap::Command<&D::OnCheckChangeColumns>(CLBN_CHKCHANGE, IDC_COLUMNS),
        msgmap::Notify<&D::OnDblClkWhere>(NM_DBLCLK, IDC_WHERE_GRID),
        msgmap::Notify<&D::OnKeyDownWhere>(LVN_KEYDOWN, IDC_WHERE_GRID),
        msgmap::Notify<&D::OnBeginLabelEditWhere>(LVN_BEGINLABELEDITA, IDC_WHERE_GRID),
        msgmap::Notify<&D::OnEndLabelEditWhere>(LVN_ENDLABELEDITA, IDC_WHERE_GRID),
        msgmap::Notify<&D::OnItemChangedWhere>(LVN_ITEMCHANGED, IDC_WHERE_GRID),
        msgmap::Registered<&D::OnComboSelection>(g_wmXListCtrlComboSelection),
        msgmap::Registered<&D::OnCheckboxClicked>(g_wmXListCtrlCheckboxClicked),
        msgmap::Message<&D::OnAskOrderByWpText>(kAskOrderByWpText),
    };
    static const MessageMap map(CDialog::StaticMessageMap(), entries);
    return &map;
}

void CSELECTSQLDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COLUMNS, m_lstColumns);
    DDX_Control(pDX, IDC_ORDERBY_GRID, m_lstOrderBy);
    DDX_Control(pDX, IDC_WHERE_GRID, m_lstWhere);
}

INT_PTR CSELECTSQLDlg::DoModal()
{
    CModuleState* state = AfxGetModuleState();
    const HINSTANCE callerResources = state->m_hCurrentResourceHandle;
    state->m_hCurrentResourceHandle = LibraryInstance();
    const INT_PTR result = CDialog::DoModal();
    state->m_hCurrentResourceHandle = callerResources;
    return result;
}

// Compositions requested while the controls are filled do nothing: the form state counts
// as initialised only once the starting statement has been read into the controls.
BOOL CSELECTSQLDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    m_btnAddWhere.SubclassDlgItem(IDC_ADD_WHERE, this);
    m_btnAddWhere.SetIcons(IDI_ADD_WHERE, 0);
    m_btnRemoveWhere.SubclassDlgItem(IDC_REMOVE_WHERE, this);
    m_btnRemoveWhere.SetIcons(IDI_REMOVE_WHERE, 0);
    m_btnMoveUp.SubclassDlgItem(IDC_MOVE_UP, this);
    m_btnMoveUp.SetIcons(IDI_MOVE_UP, 0);
    m_btnMoveDown.SubclassDlgItem(IDC_MOVE_DOWN, this);
    m_btnMoveDown.SetIcons(IDI_MOVE_DOWN, 0);
    m_cboTable.SubclassDlgItem(IDC_TABLE, this);
    m_edtPreview.SubclassDlgItem(IDC_PREVIEW, this);
    m_chkWhereEnabled.SubclassDlgItem(IDC_WHERE_ENABLED, this);
    m_chkOrderByEnabled.SubclassDlgItem(IDC_ORDERBY_ENABLED, this);

    InitChoiceLists();
    // The column list is painted once, when the statement has been read into it.
    m_lstColumns.SetRedraw(FALSE);
    ReserveColumnList();
    FillColumnList();
    FillTableCombo();

    CheckDlgButton(IDC_WHERE_ENABLED, BST_CHECKED);
    InitWhereGrid();
    OnWhereCheck();
    CheckDlgButton(IDC_ORDERBY_ENABLED, BST_CHECKED);
    InitOrderByGrid();
    OnOrderByCheck();

    SetDlgItemText(IDC_PREVIEW, m_strStatement);
    ParseSQLStatement();
    m_lstColumns.SetRedraw(TRUE);
    m_bInitialized = TRUE;
    // A starting statement stays in the preview as the host wrote it until the first edit.
    if (*GetSQLQuery() == '\0') BuildSQLStatement();
    return TRUE;
}

// Enter and Escape would press OK or Cancel through the dialog manager; the dialog closes
// only by its buttons and the close box, so both keys are dropped for every control.
BOOL CSELECTSQLDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

// The dialog manager's answer sets the colours and brush of the dialog's face; only the
// text colour of the labels and the face of the read-only preview change.
// Only statics are labels: the table box's drop-down list shares the "Syntax:" label's id.
HBRUSH CSELECTSQLDlg::OnCtlColor(HDC dc, HWND control, UINT ctlColor)
{
    const auto brush = reinterpret_cast<HBRUSH>(Default());
    const int id = control ? ::GetDlgCtrlID(control) : 0;
    if (ctlColor == CTLCOLOR_STATIC && IsBlueLabel(id)) {
        ::SetTextColor(dc, kLabelColor);
        return brush;
    }
    if (id == IDC_PREVIEW) {
        ::SetBkColor(dc, kPreviewBackground);
        return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    }
    return brush;
}

void CSELECTSQLDlg::OnOK()
{
    if (!BuildSQLStatement()) {
        AfxMessageBox(m_strError, MB_OK);
        return;
    }
    CDialog::OnOK();
}

void CSELECTSQLDlg::OnCancel()
{
    CDialog::OnCancel();
}

// The list box takes its items' room in one allocation rather than growing item by item.
void CSELECTSQLDlg::ReserveColumnList()
{
    size_t bytes = 2;
    for (int i = 0; i < m_arrColumns.GetSize(); ++i) bytes += static_cast<size_t>(m_arrColumns[i].GetLength()) + 1;
    m_lstColumns.SendMessage(LB_INITSTORAGE, static_cast<WPARAM>(m_arrColumns.GetSize() + 1), static_cast<LPARAM>(bytes));
}

void CSELECTSQLDlg::EnableControls(const int* ids, int count, BOOL enable)
{
    for (int i = 0; i < count; ++i) GetDlgItem(ids[i]).EnableWindow(enable);
}

void CSELECTSQLDlg::InsertGridColumns(CXListCtrl& grid, const GridColumn* columns, int count, int totalUnits)
{
    grid.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT);
    grid.EnableToolTips(TRUE);
    CRect window;
    grid.GetWindowRect(&window);
    const int unit = (window.Width() - 4) / totalUnits;
    for (int i = 0; i < count; ++i)
        grid.InsertColumn(columns[i].cell, columns[i].title, LVCFMT_LEFT, columns[i].units * unit, columns[i].cell);
}

// The grid keeps a row it inserted but could not give its cell records (drawn plain and deaf
// to clicks, so the user could never set it right); the dialog never holds such a row.
int CSELECTSQLDlg::AppendGridRow(CXListCtrl& grid)
{
    const int count = grid.GetItemCount();
    const int row = grid.InsertItem(count, "");
    if (row < 0 && grid.GetItemCount() > count) grid.DeleteItem(count);
    return row;
}
