// CXListCtrl: painting. The list view asks through custom draw before every cell, and
// the grid paints each cell itself by its kind: progress bar, drop-down, check box, or
// image and text. An empty grid gets its message painted over the list view's work.
#include "grid/XListCtrl.h"

#include "platform/Dpi.h"

namespace {

const int kEmptyTextTopMargin = 10;
const UINT kEmptyTextFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP;
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kProgressEmpty = RGB(224, 224, 224);

void Line(const CDC& dc, int x1, int y1, int x2, int y2)
{
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

// A shape drawn in whole pixels at 96 dots per inch, drawn at another DPI: each 96-DPI
// pixel rectangle (relative to an origin) has its edges scaled, so at 96 the pixels are
// exactly the designed ones and at 144 or 192 the shape keeps its proportions.
class CScaledPixels {
public:
    CScaledPixels(const CDC& dc, int x, int y, COLORREF colour) : m_dc(dc), m_x(x), m_y(y), m_colour(colour), m_dpi(DpiOf(dc)) {}
    void Fill(int left, int top, int right, int bottom) const
    {
        m_dc.FillSolidRect(CRect(m_x + ScaleToDpi(left, m_dpi), m_y + ScaleToDpi(top, m_dpi),
                                 m_x + ScaleToDpi(right, m_dpi), m_y + ScaleToDpi(bottom, m_dpi)),
                           m_colour);
    }

private:
    const CDC& m_dc;
    int m_x, m_y;
    COLORREF m_colour;
    int m_dpi;
};

// The drop-down arrow: three rows, each one pixel lower, shorter by two and centred.
void DrawArrow(const CDC& dc, int x, int y)
{
    const CScaledPixels arrow(dc, x, y, kBlack);
    for (int row = 0; row < 3; ++row) arrow.Fill(row, row, 5 - row, row + 1);
}

// The tick, from the box's inner left and top: seven strokes three pixels high, the first
// nine pixels in and three down, four stepping down leftwards, then three stepping up.
void DrawTick(const CDC& dc, int x, int y, COLORREF colour)
{
    static const int kFall[] = {0, 1, 2, 3, 4, 3, 2};
    const CScaledPixels tick(dc, x, y, colour);
    for (int i = 0; i < 7; ++i) tick.Fill(9 - i, 3 + kFall[i], 10 - i, 6 + kFall[i]);
}

// The bar's text from the owner's format: "%d" takes the number, "%%" a percent sign, and
// everything else is copied, so no format can read arguments that are not there.
CString FormatPercent(const CString& format, int percent)
{
    const char* pattern = format.IsEmpty() ? "%d%%" : static_cast<const char*>(format);
    CString text;
    // Digits by hand: the C runtime's formatting would add tens of kilobytes to the DLL.
    char number[16];
    char* end = number + sizeof number - 1;
    *end = '\0';
    char* digits = end;
    unsigned magnitude = percent < 0 ? 0u - static_cast<unsigned>(percent) : static_cast<unsigned>(percent);
    do {
        *--digits = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (percent < 0) *--digits = '-';
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && p[1] == 'd') {
            text += digits;
            ++p;
        } else if (p[0] == '%' && p[1] == '%') {
            text += '%';
            ++p;
        } else {
            text += *p;
        }
    }
    return text;
}

}  // namespace

void CXListCtrl::OnPaint()
{
    Default();
    PaintEmptyText();
}

// Drawn over what the list view painted, below the header, on the window's own DC.
void CXListCtrl::PaintEmptyText()
{
    if (GetItemCount() != 0) return;
    CClientDC dc(m_hWnd);
    if (!dc.GetSafeHdc()) return;
    CSavedDCState saved = dc.SaveState();

    CRect area;
    GetWindowRect(&area);
    ScreenToClient(&area);
    HWND header = GetHeaderCtrl();
    CRect firstColumn;
    if (header && Header_GetItemRect(header, 0, &firstColumn)) area.top = firstColumn.bottom;
    area.top += ScaleToDpi(kEmptyTextTopMargin, DpiOf(dc));

    dc.FillSolidRect(area, m_clrWindow);
    dc.SetTextColor(m_clrWindowText);
    dc.SetBkColor(m_clrWindow);
    CSelectGuard font = dc.SelectStockObject(ANSI_VAR_FONT);
    dc.DrawText(GetEmptyText(), &area, kEmptyTextFormat);
    // With the keyboard in an empty grid, its text is framed.
    if (::GetFocus() == m_hWnd && ShowsFocus()) {
        CRect text = area;
        dc.DrawText(GetEmptyText(), &text, kEmptyTextFormat | DT_CALCRECT);
        text.OffsetRect((area.Width() - text.Width()) / 2 - (text.left - area.left), 0);
        text.InflateRect(ScaleToDpi(3, DpiOf(dc)), ScaleToDpi(2, DpiOf(dc)));
        dc.DrawFocusRect(text);
    }
}

void CXListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    const DWORD stage = draw->nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT || stage == CDDS_ITEMPREPAINT) {
        *pResult = CDRF_NOTIFYSUBITEMDRAW | (stage == CDDS_ITEMPREPAINT ? CDRF_NOTIFYPOSTPAINT : 0);
        return;
    }
    *pResult = 0;
    if (stage == CDDS_ITEMPOSTPAINT) {
        CDC dc(draw->nmcd.hdc);
        DrawRowFocus(dc, static_cast<int>(draw->nmcd.dwItemSpec));
        return;
    }
    if (stage != (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) return;

    const int row = static_cast<int>(draw->nmcd.dwItemSpec);
    const int column = draw->iSubItem;
    const CXListCell* records = RowRecords(row);
    const CXListCell* cell = CellRecord(row, column);
    COLORREF crText = m_clrWindowText;
    COLORREF crBack = m_clrWindow;
    if (cell) {
        crText = cell->crTextColor;
        crBack = cell->crBackColor;
        if (!records[0].bRowEnabled) crText = m_clrGrayText;
    }
    draw->clrText = crText;
    draw->clrTextBk = crBack;

    CRect rect;
    if (!GetSubItemRect(row, column, LVIR_BOUNDS, rect)) return;
    CDC dc(draw->nmcd.hdc);
    const CString text = GetItemText(row, column);
    const bool selected = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;

    if (cell && cell->bProgressBar) {
        DrawProgressCell(dc, rect, crText, crBack, *cell);
    } else if (cell && cell->bHasCombo) {
        if (selected)
            DrawComboCell(dc, row, column, text, rect, records);
        else
            DrawCellText(dc, row, column, text, crText, crBack, rect, records);
    } else if (cell && cell->nCheckState != -1) {
        DrawCheckCell(dc, row, column, text, crText, crBack, rect, records);
    } else {
        const int imageWidth = DrawCellImage(dc, row, column, crBack, rect, records);
        rect.left += imageWidth;
        DrawCellText(dc, row, column, text, crText, crBack, rect, records);
    }
    *pResult = CDRF_SKIPDEFAULT;
}

// A selected row is highlighted while the grid has the focus; without it, a grid that
// always shows its selection draws it on the button face.
void CXListCtrl::GetCellColors(int row, int column, COLORREF& text, COLORREF& back) const
{
    const bool selected = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    const bool fullRow = (GetExtendedStyle() & LVS_EX_FULLROWSELECT) != 0;
    if (!selected || (!fullRow && column != 0)) return;
    if (::GetFocus() == m_hWnd) {
        text = m_clrHighLightText;
        back = m_clrHighLight;
    } else if (GetStyle() & LVS_SHOWSELALWAYS) {
        text = m_clrWindowText;
        back = m_clrBtnFace;
    }
}

void CXListCtrl::DrawCellText(CDC& dc, int row, int column, const CString& text, COLORREF crText, COLORREF crBack,
                              CRect rect, const CXListCell* records)
{
    GetCellColors(row, column, crText, crBack);
    dc.FillSolidRect(rect, crBack);
    if (text.IsEmpty()) return;

    UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    if (Header_GetItem(GetHeaderCtrl(), column, &item)) {
        if ((item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER) format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        if ((item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT) format = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
    }
    CFont bold;
    CSelectGuard boldFont;
    const CXListCell* cell = records ? CellRecord(row, column) : nullptr;
    LOGFONTA font{};
    if (cell && cell->bBoldText && dc.GetCurrentLogFont(font)) {
        font.lfWeight = FW_BOLD;
        if (bold.CreateFontIndirect(font)) boldFont = dc.SelectObject(bold.GetSafeHandle());
    }
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(crText);
    dc.SetBkColor(crBack);
    dc.DrawText(text, &rect, format);
}

// Answers the width the image took, its margins included; 0 when there is none.
int CXListCtrl::DrawCellImage(CDC& dc, int row, int column, COLORREF crBack, const CRect& cellRect,
                              const CXListCell* records)
{
    CRect rect = cellRect;
    COLORREF unusedText = m_clrWindowText;
    GetCellColors(row, column, unusedText, crBack);
    dc.FillSolidRect(rect, crBack);
    const int margin = m_bHeaderSubclassed ? m_wndHeader.GetItemMargin() : 0;
    rect.left += margin;

    HIMAGELIST images = GetImageList(LVSIL_SMALL);
    const CXListCell* cell = records ? CellRecord(row, column) : nullptr;
    if (!images || !cell || cell->nImageIndex == -1) return 0;
    IMAGEINFO info{};
    CSize size;
    if (::ImageList_GetImageInfo(images, cell->nImageIndex, &info))
        size = CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
    if (cell->nImageIndex >= 0 && rect.Width() > 0) {
        IMAGELISTDRAWPARAMS draw{};
        draw.cbSize = sizeof draw;
        draw.himl = images;
        draw.i = cell->nImageIndex;
        draw.hdcDst = dc;
        draw.x = rect.left;
        draw.y = rect.top + rect.Height() / 2 - (size.cy >> 1);
        draw.cx = size.cx < rect.Width() ? size.cx : rect.Width();
        draw.cy = size.cy < rect.Height() ? size.cy : rect.Height();
        draw.rgbBk = CLR_DEFAULT;
        draw.rgbFg = CLR_DEFAULT;
        draw.fStyle = ILD_NORMAL;
        draw.dwRop = SRCCOPY;
        const COLORREF oldBack = ::ImageList_SetBkColor(images, crBack);
        ::ImageList_DrawIndirect(&draw);
        ::ImageList_SetBkColor(images, oldBack);
    }
    return size.cx + margin;
}

void CXListCtrl::DrawCheckCell(CDC& dc, int row, int column, const CString& text, COLORREF crText, COLORREF crBack,
                               const CRect& rect, const CXListCell* records)
{
    GetCellColors(row, column, crText, crBack);
    dc.FillSolidRect(rect, crBack);

    const int dpi = DpiOf(dc);
    CRect box = rect;
    box.bottom -= 1;
    box.left += ScaleToDpi(9, dpi);
    box.right = box.left + box.Height();
    if (text.IsEmpty()) {
        box.left = rect.left + rect.Width() / 2 - box.Height() / 2 - 1;
        box.right = box.left + box.Height();
    }
    dc.FillSolidRect(box, m_clrWindow);
    box.left += 1;
    dc.DrawEdge(&box, EDGE_SUNKEN, BF_RECT);

    const CXListCell* cell = CellRecord(row, column);
    if (cell && cell->nCheckState == 1) {
        const bool enabled = records && records[0].bRowEnabled;
        DrawTick(dc, box.left, box.top, enabled ? kBlack : m_clrGrayText);
    }
    if (text.IsEmpty()) return;
    CRect textRect = rect;
    textRect.left = box.right + ScaleToDpi(4, dpi);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(crText);
    dc.SetBkColor(crBack);
    dc.DrawText(text, &textRect, DT_SINGLELINE | DT_VCENTER);
}

// Only the selected row shows the frame and button; the keyboard's current cell carries a
// focus rectangle while the grid has the focus.
void CXListCtrl::DrawComboCell(CDC& dc, int row, int column, CString text, const CRect& cellRect,
                               const CXListCell* records)
{
    CXListCell* cell = CellRecord(row, column);
    if (!cell) return;
    const int dpi = DpiOf(dc);
    const int inset = ScaleToDpi(2, dpi);
    CRect r = cellRect;
    r.bottom += 1;
    r.left += 1;
    r.right -= 2;

    CPen shadow(PS_SOLID, 1, m_clrBtnShadow);
    CSelectGuard usePen = dc.SelectObject(shadow.GetSafeHandle());
    Line(dc, r.left, r.bottom - 2, r.right, r.bottom - 2);
    Line(dc, r.left, r.top, r.right, r.top);
    Line(dc, r.left, r.top, r.left, r.bottom - 2);
    Line(dc, r.right, r.top, r.right, r.bottom - 1);

    CRect inside = r;
    inside.DeflateRect(inset, inset);
    dc.FillSolidRect(inside, kWhite);

    CRect button = r;
    button.right += 1;
    button.left = button.right - button.Height();
    button.DeflateRect(inset, inset);

    const CStringArray* choices = cell->pComboStrings;
    if (text.IsEmpty() && choices && cell->nComboInitSel >= 0 && choices->GetSize() > cell->nComboInitSel) {
        text = choices->GetAt(cell->nComboInitSel);
        SetItemText(row, column, text);
    }
    if (!text.IsEmpty()) {
        const bool enabled = records && records[0].bRowEnabled;
        CRect textRect = r;
        textRect.top -= 1;
        textRect.left += inset;
        textRect.right = button.left - 1;
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(enabled ? m_clrWindowText : m_clrGrayText);
        dc.SetBkColor(m_clrWindow);
        dc.DrawText(text, &textRect, DT_SINGLELINE | DT_VCENTER);
    }
    if (::GetFocus() == m_hWnd && ShowsFocus() && row == FocusedRow() && column == CurrentComboCell(row)) {
        CRect focus = inside;
        focus.right = button.left - 1;
        dc.SetTextColor(kBlack);
        dc.SetBkColor(kWhite);
        dc.DrawFocusRect(focus);
    }

    // The button's edges are the system's two pixels at any DPI; what is inside them scales.
    if (!cell->bComboPressed) {
        dc.DrawEdge(&button, EDGE_RAISED, BF_RECT);
        button.DeflateRect(2, 2);
        dc.FillSolidRect(button, m_clrBtnFace);
        DrawArrow(dc, button.left + ScaleToDpi(1, dpi), button.top + ScaleToDpi(2, dpi));
        return;
    }
    m_rcComboButton = button;
    CBrush frame(m_clrBtnShadow);
    dc.FrameRect(button, frame);
    button.DeflateRect(1, 1);
    dc.FillSolidRect(button, m_clrBtnFace);
    DrawArrow(dc, button.left + ScaleToDpi(3, dpi), button.top + ScaleToDpi(4, dpi));
}

// The current row, framed while the grid has the keyboard, so the keys' starting point
// shows even when no row is selected.
void CXListCtrl::DrawRowFocus(CDC& dc, int row)
{
    if (row != FocusedRow() || ::GetFocus() != m_hWnd || !ShowsFocus()) return;
    CRect bounds;
    if (!GetItemRect(row, &bounds, LVIR_BOUNDS)) return;
    dc.SetTextColor(kBlack);
    dc.SetBkColor(kWhite);
    dc.DrawFocusRect(bounds);
}

// The part of the text over the bar is drawn in the background colour, the rest in the
// text colour, so the percentage reads on both.
void CXListCtrl::DrawProgressCell(CDC& dc, const CRect& cellRect, COLORREF crText, COLORREF crBack,
                                  const CXListCell& cell)
{
    CRect r = cellRect;
    r.bottom -= 1;
    r.left += 1;
    r.right -= 2;
    {
        CPen shadow(PS_SOLID, 1, m_clrBtnShadow);
        CSelectGuard usePen = dc.SelectObject(shadow.GetSafeHandle());
        Line(dc, r.left, r.bottom, r.right + 1, r.bottom);
        Line(dc, r.left, r.top, r.right, r.top);
        Line(dc, r.left, r.top, r.left, r.bottom);
        Line(dc, r.right, r.top, r.right, r.bottom);
    }
    dc.FillSolidRect(CRect(r.left + 1, r.top + 1, r.right, r.bottom), kProgressEmpty);
    {
        CPen black(PS_SOLID, 1, kBlack);
        CSelectGuard usePen = dc.SelectObject(black.GetSafeHandle());
        Line(dc, r.left + 1, r.top + 1, r.right, r.top + 1);
        Line(dc, r.left + 1, r.top + 1, r.left + 1, r.bottom);
    }
    if (cell.nPercent <= 0) return;
    CRect bar(r.left + 2, r.top + 2, r.right, r.bottom);
    CRect rest = bar;
    bar.right = bar.left + bar.Width() * cell.nPercent / 100;
    rest.left = bar.right + 1;
    dc.FillSolidRect(bar, m_clrHighLight);
    if (!cell.bPercentText) return;

    const CString text = FormatPercent(cell.strPercentFormat, cell.nPercent);
    CRect textRect = r;
    textRect.DeflateRect(1, 1);
    textRect.top += 1;
    dc.SetBkMode(TRANSPARENT);
    const UINT centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    {
        CClipGuard clip = dc.IntersectClipRect(CRect(bar.left, bar.top, bar.right, bar.bottom));
        dc.SetTextColor(crBack);
        dc.DrawText(text, &textRect, centred);
    }
    CClipGuard clip = dc.IntersectClipRect(rest);
    dc.SetTextColor(crText);
    dc.DrawText(text, &textRect, centred);
}
