// CXHeaderCtrl: the grid's column header, painted entirely by itself in a flat button
// style (face background, a two-line divider between items, a 3-D frame around the width
// the items use, each item's image, bitmap and a blue centred title), and the keeper of
// the horizontal item margin that the grid also uses around cell images.
//
// The grid subclasses the list view's own header window with it, once. The header's item
// image index doubles as the grid's header check-box state (0 none, 1 unchecked,
// 2 checked), so an item whose image index is 0 shows no image.
//
// Virtual functions CXHeaderCtrl adds after CWnd's (Wnd.h):
//   8. void DrawItem(LPDRAWITEMSTRUCT)
//   9. int DrawItem(CDC*, CRect, LPHDITEMA)
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/GdiDC.h"
#include "platform/Geometry.h"
#include "platform/HeaderCtrl.h"

class CXHeaderCtrl : public CHeaderCtrl {
public:
    CXHeaderCtrl() noexcept;
    ~CXHeaderCtrl() override;

    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();

    // Items with HDF_OWNERDRAW are handed here instead of being painted; the header
    // itself draws nothing for them.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // Paints one item's content into rect (already narrowed by the item margin): image
    // on the left, bitmap on the right, title centred in what is left. Answers the
    // title's width, at most rect's width.
    virtual int DrawItem(CDC* pDC, CRect rect, LPHDITEMA lphdi);

    // Pixels left free on each side of an item's content.
    int GetItemMargin() const noexcept { return m_nItemMargin; }
    // 1: the item margin; 3: widen the layout by two border widths (nValue as BOOL);
    // 2 and 4 are accepted and change nothing. Accepted indexes repaint the whole
    // header and answer TRUE; any other index answers FALSE.
    BOOL SetAttribute(int nIndex, UINT nValue);

protected:
    void PreSubclassWindow() override;

    // Each answers the width it took (0 when it drew nothing); bRight places the
    // picture at rect's right edge instead of its left.
    int DrawItemImage(CDC* pDC, const CRect& rect, const HDITEMA* lphdi, BOOL bRight);
    int DrawItemBitmap(CDC* pDC, const CRect& rect, HBITMAP hBitmap, const CSize& size, BOOL bRight);
    int DrawItemText(CDC* pDC, const CRect& rect, const HDITEMA* lphdi);

    BOOL m_bOffscreenPaint;  // paint through a CMemDC rather than straight to the screen
    int m_nItemMargin;
    CSize m_szImage;         // image 0 of the header's image list
    BOOL m_bWideLayout;
    COLORREF m_clrLight;
    COLORREF m_clrDark;
    COLORREF m_clrFace;
    COLORREF m_clrText;

private:
    void OnPaint();
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);
    void OnSysColorChange();
    LRESULT OnSetImageList(WPARAM wParam, LPARAM lParam);
    LRESULT OnLayout(WPARAM wParam, LPARAM lParam);

    void Paint(CDC& dc);
    void LoadSystemColors() noexcept;
    void TakeImageSize(HIMAGELIST list) noexcept;
};
