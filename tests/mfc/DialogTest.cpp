#include "DialogResources.h"
#include "TestWindows.h"

#include <qvtest/Input.h>
#include <qvtest/MfcPump.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

const UINT_PTR safetyTimer = 1;
const UINT safetyMs = 5000;
const int timedOut = -2;

// The template's caption, wrapped by the dialog; counts the texts it is given.
class Caption : public CStatic {
public:
    int texts = 0;

protected:
    afx_msg LRESULT OnSetText(WPARAM, LPARAM)
    {
        ++texts;
        return Default();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Caption, CStatic)
    ON_MESSAGE(WM_SETTEXT, &Caption::OnSetText)
END_MESSAGE_MAP()

// The form of the template. onInit runs at the end of OnInitDialog; a safety timer ends a
// dialog that the test's input never reaches.
class FormDialog : public CDialog {
public:
    explicit FormDialog(CWnd* parent = nullptr) : CDialog(IDD_FORM, parent) {}

    Caption caption;
    std::function<void(FormDialog&)> onInit;
    int inits = 0;
    int focusAtOk = 0;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ++inits;
        caption.SubclassDlgItem(IDC_CAPTION, this);
        caption.SetWindowText(L"initialised");
        SetTimer(safetyTimer, safetyMs, nullptr);
        if (onInit)
            onInit(*this);
        return TRUE;
    }

protected:
    void OnOK() override
    {
        focusAtOk = ::GetDlgCtrlID(::GetFocus());
        CDialog::OnOK();
    }
    afx_msg void OnApply() { EndDialog(IDC_APPLY); }
    afx_msg void OnTimer(UINT_PTR) { EndDialog(timedOut); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FormDialog, CDialog)
    ON_BN_CLICKED(IDC_APPLY, &FormDialog::OnApply)
    ON_WM_TIMER()
END_MESSAGE_MAP()

// Counts the idle notifications of its modal dialogs and runs onFirstIdle at the first one,
// when the dialog is shown and waits for input.
class Owner : public CWnd {
public:
    int idles = 0;
    std::function<void(HWND)> onFirstIdle;

protected:
    afx_msg LRESULT OnEnterIdle(WPARAM, LPARAM lParam)
    {
        if (idles++ == 0 && onFirstIdle)
            onFirstIdle(reinterpret_cast<HWND>(lParam));
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Owner, CWnd)
    ON_MESSAGE(WM_ENTERIDLE, &Owner::OnEnterIdle)
END_MESSAGE_MAP()

TEST(DialogTest, DoModalEndsWithTheCommandPostedToIt)
{
    for (int id : {IDOK, IDCANCEL, IDC_APPLY}) {
        SCOPED_TRACE(id);
        Owner owner;
        ASSERT_TRUE(createPopup(owner));
        FormDialog dialog(&owner);
        BOOL ownerEnabled = TRUE;
        dialog.onInit = [&](FormDialog& d) {
            ownerEnabled = owner.IsWindowEnabled();
            d.PostMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(d, id)));
        };
        EXPECT_EQ(dialog.DoModal(), id);
        EXPECT_FALSE(ownerEnabled);
        EXPECT_TRUE(owner.IsWindowEnabled());
        EXPECT_EQ(dialog.m_hWnd, nullptr);
        EXPECT_EQ(dialog.caption.m_hWnd, nullptr);
        EXPECT_EQ(dialog.inits, 1);
        EXPECT_EQ(dialog.caption.texts, 1);
    }
}

TEST(DialogTest, EndDialogInOnInitDialogReturnsBeforeTheDialogIsShown)
{
    Owner owner;
    ASSERT_TRUE(createPopup(owner));
    FormDialog dialog(&owner);
    dialog.onInit = [](FormDialog& d) { d.EndDialog(42); };
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(owner.idles, 0);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(DialogTest, AMissingTemplateMakesNoDialog)
{
    CDialog modal(IDD_MISSING);
    EXPECT_EQ(modal.DoModal(), -1);
    CDialog modeless;
    EXPECT_FALSE(modeless.Create(IDD_MISSING));
    EXPECT_EQ(modeless.m_hWnd, nullptr);
}

TEST(DialogTest, KeysOfAModalDialogMoveTheFocusAndEndIt)
{
    struct Case {
        const char* label;
        std::vector<WORD> keys;
        int result;
        int focusAtOk;
    };
    const Case cases[] = {
        {"tab, then enter", {VK_TAB, VK_RETURN}, IDOK, IDC_SECOND},
        {"escape", {VK_ESCAPE}, IDCANCEL, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Owner owner;
        ASSERT_TRUE(createPopup(owner));
        ASSERT_TRUE(qvtest::bringToForeground(owner));
        owner.onFirstIdle = [&](HWND dialog) {
            qvtest::bringToForeground(dialog);
            for (WORD key : c.keys)
                qvtest::pressKey(key);
        };
        FormDialog dialog(&owner);
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_EQ(dialog.focusAtOk, c.focusAtOk);
        EXPECT_GE(owner.idles, 1);
    }
}

TEST(DialogTest, AModelessDialogWrapsItsControlsAndAnswersTheKeyboard)
{
    Owner owner;
    ASSERT_TRUE(createPopup(owner));
    FormDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FORM, &owner));
    EXPECT_EQ(dialog.GetParent(), &owner);
    EXPECT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(dialog, IDC_CAPTION)), &dialog.caption);
    dialog.ShowWindow(SW_SHOW);
    ASSERT_TRUE(qvtest::bringToForeground(dialog));
    dialog.GotoDlgCtrl(dialog.GetDlgItem(IDC_FIRST));

    qvtest::pressKey(VK_TAB);
    qvtest::pumpMfcUntilIdle();
    EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), IDC_SECOND);
    qvtest::pressKey(VK_ESCAPE);
    qvtest::pumpMfcUntilIdle();
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_TRUE(::IsWindow(dialog.m_hWnd));
}

} // namespace
