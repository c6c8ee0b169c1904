// CPreviewEdit: soft breaks where the lines wrap, and the text read back without them.
#include "controls/PreviewEdit.h"

#include <cstring>

#include "platform/GdiDC.h"

namespace {

const char kSoftBreak[] = "\r\r\n";
const int kSoftBreakLength = 3;
const int kTabStopChars = 8;  // the edit control's default tab stops, in average characters

}  // namespace

const MessageMap* CPreviewEdit::StaticMessageMap()
{
    static const MessageEntry entries[] = {
        msgmap::Message<&CPreviewEdit::OnSetText>(WM_SETTEXT),
        msgmap::Message<&CPreviewEdit::OnGetText>(WM_GETTEXT),
        msgmap::Message<&CPreviewEdit::OnGetTextLength>(WM_GETTEXTLENGTH),
        msgmap::Message<&CPreviewEdit::OnCopy>(WM_COPY),
        msgmap::Message<&CPreviewEdit::OnContextMenu>(WM_CONTEXTMENU),
        msgmap::Message<&CPreviewEdit::OnSetFont>(WM_SETFONT),
        msgmap::Message<&CPreviewEdit::OnSize>(WM_SIZE),
    };
    static const MessageMap map(&CEdit::StaticMessageMap, entries);
    return &map;
}

LRESULT CPreviewEdit::OnSetText(WPARAM, LPARAM lParam)
{
    m_text = lParam ? reinterpret_cast<const char*>(lParam) : "";
    return ShowWrapped();
}

namespace {

// Wine 8's edit control faults inside its text shaping on some lines holding U+02DC, the
// small tilde that byte 0x98 stands for in code page 1252, and takes the host with it.
// Under Wine the control is shown a plain tilde there instead; what the preview reports
// and copies is still the statement itself, and Windows shows the statement unchanged.
bool ShowsSmallTildeSafely()
{
    static const bool safe = !(::GetACP() == 1252 &&
                               ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version"));
    return safe;
}

}  // namespace

LRESULT CPreviewEdit::ShowWrapped()
{
    m_breaks = WrapPoints();
    std::string shown;
    shown.reserve(m_text.size() + m_breaks.size() * kSoftBreakLength);
    size_t from = 0;
    for (int at : m_breaks) {
        shown.append(m_text, from, static_cast<size_t>(at) - from);
        shown += kSoftBreak;
        from = static_cast<size_t>(at);
    }
    shown.append(m_text, from, std::string::npos);
    if (!ShowsSmallTildeSafely())
        for (char& ch : shown)
            if (ch == '\x98') ch = '~';
    const LRESULT result = DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    m_shownLength = result ? static_cast<int>(DefWindowProc(WM_GETTEXTLENGTH, 0, 0)) : -1;
    // A control that drops soft breaks on the way in holds the text itself.
    if (m_shownLength != static_cast<int>(shown.size())) m_breaks.clear();
    return result;
}

// Words wrap after their blanks; a word longer than a line is cut where it no longer
// fits, as the edit control cuts it. The width of a line is measured as the control
// measures it: the font's character widths, tabs to the next default tab stop.
std::vector<int> CPreviewEdit::WrapPoints()
{
    std::vector<int> points;
    CRect format;
    SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const int width = format.Width();
    m_wrapWidth = width;
    if (width <= 0 || m_text.empty()) return points;

    CClientDC dc(m_hWnd);
    if (!dc.GetSafeHdc()) return points;
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    CSelectGuard select = dc.SelectObject(font ? font : static_cast<HFONT>(::GetStockObject(SYSTEM_FONT)));
    INT widths[256];
    TEXTMETRICA metrics{};
    if (::GetCharWidth32A(dc.GetSafeHdc(), 0, 255, widths) && ::GetTextMetricsA(dc.GetSafeHdc(), &metrics)) {
        const int tab = metrics.tmAveCharWidth > 0 ? metrics.tmAveCharWidth * kTabStopChars : 1;
        const int count = static_cast<int>(m_text.size());
        int lineStart = 0, x = 0, afterBlank = -1;
        for (int i = 0; i < count;) {
            const auto ch = static_cast<unsigned char>(m_text[static_cast<size_t>(i)]);
            if (ch == '\n') {
                lineStart = ++i;
                x = 0;
                afterBlank = -1;
                continue;
            }
            int length = 1;
            int advance = ch == '\r' ? 0 : ch == '\t' ? tab - x % tab : widths[ch];
            if (ch >= 0x80 && ::IsDBCSLeadByte(ch) && i + 1 < count) {
                SIZE size{};
                ::GetTextExtentPoint32A(dc.GetSafeHdc(), &m_text[static_cast<size_t>(i)], 2, &size);
                length = 2;
                advance = size.cx;
            }
            if (advance > 0 && x + advance > width && i > lineStart) {
                // The line ends after its last blank, or before this character; the
                // characters after that blank are measured again on the next line. A
                // blank that does not fit hangs at the line's end, as the edit's own
                // wrapping leaves it, rather than starting the next line.
                const int at = ch == ' ' ? i + 1 : afterBlank > lineStart ? afterBlank : i;
                if (at >= count) break;
                points.push_back(at);
                lineStart = i = at;
                x = 0;
                afterBlank = -1;
                continue;
            }
            x += advance;
            i += length;
            if (ch == ' ') afterBlank = i;
        }
    }
    return points;
}

bool CPreviewEdit::HoldsWrappedText()
{
    return m_shownLength >= 0 && DefWindowProc(WM_GETTEXTLENGTH, 0, 0) == m_shownLength;
}

// Soft break k takes the shown offsets from m_breaks[k] + 3k to 3 more; an index inside
// it stands for the character after it.
int CPreviewEdit::ToTextIndex(int shownIndex) const
{
    size_t low = 0, high = m_breaks.size();
    while (low < high) {
        const size_t middle = (low + high) / 2;
        if (m_breaks[middle] + static_cast<int>(middle) * kSoftBreakLength < shownIndex)
            low = middle + 1;
        else
            high = middle;
    }
    int index = shownIndex - static_cast<int>(low) * kSoftBreakLength;
    if (low > 0 && index < m_breaks[low - 1]) index = m_breaks[low - 1];
    if (index < 0) index = 0;
    const int length = static_cast<int>(m_text.size());
    return index > length ? length : index;
}

LRESULT CPreviewEdit::OnGetText(WPARAM wParam, LPARAM lParam)
{
    if (!HoldsWrappedText()) return Default();
    if (wParam == 0 || !lParam) return 0;
    const size_t copied = m_text.size() < wParam - 1 ? m_text.size() : wParam - 1;
    std::memcpy(reinterpret_cast<char*>(lParam), m_text.data(), copied);
    reinterpret_cast<char*>(lParam)[copied] = '\0';
    return static_cast<LRESULT>(copied);
}

LRESULT CPreviewEdit::OnGetTextLength(WPARAM, LPARAM)
{
    return HoldsWrappedText() ? static_cast<LRESULT>(m_text.size()) : Default();
}

void CPreviewEdit::CopySelection() const
{
    DWORD from = 0, to = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    const int start = ToTextIndex(static_cast<int>(from));
    const int end = ToTextIndex(static_cast<int>(to));
    if (start >= end || !::OpenClipboard(m_hWnd)) return;
    ::EmptyClipboard();
    const size_t length = static_cast<size_t>(end - start);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, length + 1);
    if (char* bytes = memory ? static_cast<char*>(::GlobalLock(memory)) : nullptr) {
        std::memcpy(bytes, m_text.data() + start, length);
        bytes[length] = '\0';
        ::GlobalUnlock(memory);
        if (!::SetClipboardData(CF_TEXT, memory)) ::GlobalFree(memory);
    }
    ::CloseClipboard();
}

LRESULT CPreviewEdit::OnCopy(WPARAM, LPARAM)
{
    if (!HoldsWrappedText()) return Default();
    CopySelection();
    return 0;
}

// The control's own menu copies its text without asking through WM_COPY; what it put on
// the clipboard is replaced by the same selection of the statement.
LRESULT CPreviewEdit::OnContextMenu(WPARAM, LPARAM)
{
    const DWORD before = ::GetClipboardSequenceNumber();
    const LRESULT result = Default();
    if (!m_breaks.empty() && HoldsWrappedText() && ::GetClipboardSequenceNumber() != before &&
        ::GetClipboardOwner() == m_hWnd)
        CopySelection();
    return result;
}

LRESULT CPreviewEdit::OnSetFont(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    if (HoldsWrappedText()) ShowWrapped();
    return result;
}

LRESULT CPreviewEdit::OnSize(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    CRect format;
    SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    if (format.Width() != m_wrapWidth && HoldsWrappedText()) ShowWrapped();
    return result;
}
