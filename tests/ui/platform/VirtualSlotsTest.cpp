// The virtual slots of CWnd and CDialog are what a host's header mirrors to drive a
// dialog object from the DLL: a class declared slot for slot must reach our functions.
#include <gtest/gtest.h>

#include "platform/Dialog.h"

// What a host declares without our headers' implementation: the documented slots of
// CWnd (1-7) and CDialog (8-11), then the dialog's own additions.
class HostView {
public:
    virtual ~HostView() = default;
    virtual const void* GetMessageMap() const = 0;
    virtual void DoDataExchange(void* exchange) = 0;
    virtual void PreSubclassWindow() = 0;
    virtual BOOL PreTranslateMessage(MSG* msg) = 0;
    virtual LRESULT DefWindowProcA(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const = 0;
    virtual INT_PTR DoModal() = 0;
    virtual BOOL OnInitDialog() = 0;
    virtual void OnOK() = 0;
    virtual void OnCancel() = 0;
    virtual const char* GetSQLQuery() = 0;
    virtual void SetSQLQuery(const char* text) = 0;
    virtual BOOL AddTableColumns(const char* table, const char* columns) = 0;
};
// (Outside the anonymous namespace: no class of this file implements it, and the optimiser
// would treat calls through a type it knows to be never instantiated as unreachable.)

namespace {

int g_destroyed = 0;

class QueryLikeDialog : public CDialog {
public:
    QueryLikeDialog() : CDialog(999) {}
    ~QueryLikeDialog() override { ++g_destroyed; }
    INT_PTR DoModal() override { return 4242; }
    BOOL PreTranslateMessage(MSG* msg) override { return msg->message == WM_KEYDOWN; }
    virtual const char* GetSQLQuery() { return m_statement.c_str(); }
    virtual void SetSQLQuery(const char* text) { m_statement = text; }
    virtual BOOL AddTableColumns(const char* table, const char* columns)
    {
        m_statement = std::string(table) + ":" + columns;
        return TRUE;
    }

private:
    std::string m_statement;
};

TEST(VirtualSlots, AHostsMirrorOfTheSlotsReachesTheDialogsFunctions)
{
    g_destroyed = 0;
    auto* object = new QueryLikeDialog;
    // The host gets the pointer from an export: opaque, so nothing is known of its type.
    void* volatile exported = static_cast<CDialog*>(object);
    auto* host = static_cast<HostView*>(exported);

    host->SetSQLQuery("SELECT * FROM T ");
    EXPECT_STREQ("SELECT * FROM T ", host->GetSQLQuery());
    EXPECT_TRUE(host->AddTableColumns("T", "A\t"));
    EXPECT_STREQ("T:A\t", object->GetSQLQuery());
    EXPECT_EQ(4242, host->DoModal());
    EXPECT_EQ(CDialog::StaticMessageMap(), host->GetMessageMap());
    MSG key{};
    key.message = WM_KEYDOWN;
    EXPECT_TRUE(host->PreTranslateMessage(&key));
    TOOLINFO info{};
    EXPECT_EQ(-1, host->OnToolHitTest(CPoint(1, 1), &info));

    delete host;  // through the virtual destructor, as a host frees the factory's object
    EXPECT_EQ(1, g_destroyed);
}

}  // namespace
