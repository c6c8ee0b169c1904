// CXHeaderCtrl: painting the header's items, dividers and frame, and the messages
// that keep its image size, layout and colours up to date.
#include "grid/XHeaderCtrl.h"

#include <algorithm>

#include "platform/MemDC.h"
#include "platform/GdiObjects.h"
#include "platform/GdiSelect.h"

namespace {

// Titles are centred whatever alignment the item asks for, and cut with an ellipsis.
constexpr UINT kTitleFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr COLORREF kTitleColor = RGB(0, 0, 255);
constexpr int kTitleChars = 80;

}  // namespace

CXHeaderCtrl::CXHeaderCtrl() noexcept
    : m_bOffscreenPaint(TRUE),
      m_nItemMargin(6),
      m_bWideLayout(FALSE),
      m_clrLight(0),
      m_clrDark(0),
      m_clrFace(0),
      m_clrText(0)
{
    LoadSystemColors();
}

CXHeaderCtrl::~CXHeaderCtrl() = default;

const MessageMap* CXHeaderCtrl::StaticMessageMap()
{
    static const MessageEntry entries[] = {
        msgmap::Simple<&CXHeaderCtrl::OnPaint>(WM_PAINT),
        msgmap::Message<&CXHeaderCtrl::OnEraseBkgnd>(WM_ERASEBKGND),
        msgmap::Simple<&CXHeaderCtrl::OnSysColorChange>(WM_SYSCOLORCHANGE),
        msgmap::Message<&CXHeaderCtrl::OnSetImageList>(HDM_SETIMAGELIST),
        msgmap::Message<&CXHeaderCtrl::OnLayout>(HDM_LAYOUT),
    };
    static const MessageMap map(&CHeaderCtrl::StaticMessageMap, entries);
    return &map;
}

void CXHeaderCtrl::LoadSystemColors() noexcept
{
    m_clrLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_clrDark = ::GetSysColor(COLOR_BTNSHADOW);
    m_clrFace = ::GetSysColor(COLOR_BTNFACE);
    m_clrText = ::GetSysColor(COLOR_BTNTEXT);
}

// The list view may have given its header an image list before the grid subclassed it;
// the header then looks the same whichever came first.
void CXHeaderCtrl::PreSubclassWindow()
{
    CHeaderCtrl::PreSubclassWindow();
    TakeImageSize(GetImageList());
    Invalidate(TRUE);
}

void CXHeaderCtrl::TakeImageSize(HIMAGELIST list) noexcept
{
    IMAGEINFO info{};
    if (list && ::ImageList_GetImageInfo(list, 0, &info))
        m_szImage = CRect(info.rcImage).Size();
}

BOOL CXHeaderCtrl::SetAttribute(int nIndex, UINT nValue)
{
    switch (nIndex) {
    case 1:
        m_nItemMargin = static_cast<int>(nValue);
        break;
    case 3:
        m_bWideLayout = nValue != 0;
        break;
    case 2:
    case 4:
        break;
    default:
        return FALSE;
    }
    // Invalidating a null window would repaint every window on the desktop.
    if (IsWindow()) Invalidate(TRUE);
    return TRUE;
}

void CXHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

void CXHeaderCtrl::OnPaint()
{
    CPaintDC paint(m_hWnd);
    if (m_bOffscreenPaint) {
        CMemDC dc(&paint);
        Paint(dc);
    } else {
        Paint(paint);
    }
}

// Every item is drawn whether or not it meets the clip box: the clip box of a header
// scrolled with its list view says little about where items are.
void CXHeaderCtrl::Paint(CDC& dc)
{
    CRect clip;
    if (dc.GetClipBox(clip) == ERROR) return;
    dc.FillSolidRect(clip, m_clrFace);

    // Pens first, guards after: the guards give the DC its own pen back before the
    // pens are deleted.
    CPen lightPen(PS_SOLID, 1, m_clrLight);
    CPen darkPen(PS_SOLID, 1, m_clrDark);
    CSelectGuard pen;  // keeps the pen the DC had, however often it is reassigned
    CSelectGuard font = dc.SelectObject(GetFont());
    dc.SetBkColor(m_clrFace);
    dc.SetTextColor(m_clrText);

    const int count = GetItemCount();
    int total = 0;
    for (int order = 0; order < count; ++order) {
        const int index = OrderToIndex(order);
        char title[kTitleChars] = "";
        HDITEMA item{};
        item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE;
        item.pszText = title;
        item.cchTextMax = kTitleChars;
        CRect rc;
        if (!GetItem(index, &item) || !GetItemRect(index, rc)) continue;

        if (item.fmt & HDF_OWNERDRAW) {
            DRAWITEMSTRUCT dis{};
            dis.CtlType = ODT_BUTTON;  // type 4: what owners of these items check for
            dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
            dis.itemID = static_cast<UINT>(index);
            dis.itemAction = ODA_DRAWENTIRE;
            dis.hwndItem = m_hWnd;
            dis.hDC = dc.GetSafeHdc();
            dis.rcItem = rc;
            DrawItem(&dis);
        } else {
            CRect content = rc;
            content.left += m_nItemMargin;
            content.right -= m_nItemMargin;
            DrawItem(&dc, content, &item);
        }

        if (order < count - 1) {
            pen = dc.SelectObject(darkPen);
            dc.MoveTo(rc.right - 1, rc.top + 2);
            dc.LineTo(rc.right - 1, rc.bottom - 2);
            pen = dc.SelectObject(lightPen);
            dc.MoveTo(rc.right, rc.top + 2);
            dc.LineTo(rc.right, rc.bottom - 2);
        }
        total += item.cxy;
    }

    if (total > 0) {
        CRect frame;
        GetClientRect(frame);
        frame.right = frame.left + total;
        dc.Draw3dRect(frame, m_clrLight, m_clrDark);
    }
}

int CXHeaderCtrl::DrawItem(CDC* pDC, CRect rect, LPHDITEMA lphdi)
{
    if (!pDC || !lphdi) return 0;
    HBITMAP bitmap = nullptr;
    CSize bitmapSize;
    BITMAP bm{};
    if ((lphdi->fmt & HDF_BITMAP) && lphdi->hbm && ::GetObjectA(lphdi->hbm, sizeof bm, &bm)) {
        bitmap = lphdi->hbm;
        bitmapSize = CSize(bm.bmWidth, bm.bmHeight);
    }

    int width = DrawItemImage(pDC, rect, lphdi, FALSE);
    if (width > 0) rect.left += width + m_nItemMargin;
    width = DrawItemBitmap(pDC, rect, bitmap, bitmapSize, TRUE);
    if (width > 0) rect.right -= width + m_nItemMargin;
    return DrawItemText(pDC, rect, lphdi);
}

int CXHeaderCtrl::DrawItemImage(CDC* pDC, const CRect& rect, const HDITEMA* lphdi, BOOL bRight)
{
    HIMAGELIST list = GetImageList();
    if (lphdi->iImage == 0 || !list || rect.Width() < 1) return 0;

    IMAGELISTDRAWPARAMS params{};
    params.cbSize = sizeof params;
    params.himl = list;
    params.i = lphdi->iImage;
    params.hdcDst = pDC->GetSafeHdc();
    params.x = bRight ? rect.right - m_szImage.cx : rect.left;
    params.y = rect.CenterPoint().y - (m_szImage.cy >> 1);
    params.cx = std::min(rect.Width(), static_cast<int>(m_szImage.cx));
    params.cy = m_szImage.cy;
    params.rgbBk = CLR_DEFAULT;
    params.rgbFg = CLR_DEFAULT;
    params.fStyle = ILD_NORMAL;
    params.dwRop = SRCCOPY;

    // The image's transparent parts take the header's face, not the list's own colour.
    const COLORREF oldBk = ::ImageList_SetBkColor(list, pDC->GetBkColor());
    const BOOL drawn = ::ImageList_DrawIndirect(&params);
    ::ImageList_SetBkColor(list, oldBk);
    return drawn ? m_szImage.cx : 0;
}

int CXHeaderCtrl::DrawItemBitmap(CDC* pDC, const CRect& rect, HBITMAP hBitmap, const CSize& size, BOOL bRight)
{
    if (!hBitmap || size.cx > rect.Width() || rect.Width() < 1) return 0;
    const int left = bRight ? rect.right - size.cx : rect.left;
    const int top = rect.CenterPoint().y - (size.cy >> 1);

    CCompatibleDC mem(pDC->GetSafeHdc());
    if (!mem.GetSafeHdc()) return 0;
    CSelectGuard selected = mem.SelectObject(hBitmap);
    if (!selected.Succeeded()) return 0;
    return pDC->BitBlt(left, top, size.cx, size.cy, mem, 0, 0, SRCCOPY) ? size.cx : 0;
}

int CXHeaderCtrl::DrawItemText(CDC* pDC, const CRect& rect, const HDITEMA* lphdi)
{
    pDC->SetTextColor(kTitleColor);
    if (rect.Width() <= 0 || !(lphdi->mask & HDI_TEXT) || !(lphdi->fmt & HDF_STRING) || !lphdi->pszText) return 0;

    const CSize extent = pDC->GetTextExtent(lphdi->pszText);
    CRect box = rect;
    pDC->DrawText(lphdi->pszText, box, kTitleFormat);
    return std::min(static_cast<int>(extent.cx), rect.Width());
}

LRESULT CXHeaderCtrl::OnEraseBkgnd(WPARAM, LPARAM)
{
    return TRUE;  // WM_PAINT covers every pixel; erasing first would only flicker
}

void CXHeaderCtrl::OnSysColorChange()
{
    Default();
    LoadSystemColors();
}

// Only the normal list is drawn by this header; a state list (HDSIL_STATE) leaves the size.
LRESULT CXHeaderCtrl::OnSetImageList(WPARAM wParam, LPARAM lParam)
{
    if (wParam == HDSIL_NORMAL) TakeImageSize(reinterpret_cast<HIMAGELIST>(lParam));
    return Default();
}

LRESULT CXHeaderCtrl::OnLayout(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
    if (m_bWideLayout && layout && layout->prc) layout->prc->right += 2 * ::GetSystemMetrics(SM_CXBORDER);
    return Default();
}
