#include <afx.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Throws with `thrower`, catches as MFC code does and returns the caught object's class and message.
struct Caught {
    CRuntimeClass* pClass = nullptr;
    std::wstring message;
    BOOL autoDelete = FALSE;
};

Caught Catch(void (*thrower)())
{
    Caught caught;
    try {
        thrower();
    } catch (CException* e) {
        wchar_t text[128] = L"untouched";
        UINT help = 99;
        EXPECT_TRUE(e->GetErrorMessage(text, 128, &help));
        EXPECT_EQ(help, 0u);
        caught = {e->GetRuntimeClass(), text, e->m_bAutoDelete};
        e->Delete();
    }
    return caught;
}

} // namespace

TEST(Exceptions, EachThrowRaisesItsClassAsAPointer)
{
    struct Case {
        void (*thrower)();
        CRuntimeClass* pClass;
        const wchar_t* message;
        BOOL autoDelete;
    };
    const Case cases[] = {
        {&AfxThrowInvalidArgException, RUNTIME_CLASS(CInvalidArgException), L"Encountered an improper argument.", TRUE},
        {&AfxThrowResourceException, RUNTIME_CLASS(CResourceException), L"A required resource was unavailable.", TRUE},
        {&AfxThrowNotSupportedException, RUNTIME_CLASS(CNotSupportedException),
         L"An unsupported operation was attempted.", TRUE},
        {&AfxThrowMemoryException, RUNTIME_CLASS(CMemoryException), L"Out of memory.", FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pClass->m_lpszClassName);
        const Caught caught = Catch(c.thrower);
        EXPECT_EQ(caught.pClass, c.pClass);
        EXPECT_EQ(caught.message, c.message);
        EXPECT_EQ(caught.autoDelete, c.autoDelete);
    }
}

TEST(Exceptions, MemoryExceptionSurvivesDelete)
{
    CException* first = nullptr;
    CException* second = nullptr;
    try {
        AfxThrowMemoryException();
    } catch (CException* e) {
        first = e;
        e->Delete();
    }
    try {
        AfxThrowMemoryException();
    } catch (CException* e) {
        second = e;
        e->Delete();
    }
    EXPECT_EQ(first, second);
    EXPECT_TRUE(second->IsKindOf(RUNTIME_CLASS(CMemoryException)));
}

TEST(Exceptions, ErrorMessageIsCutToTheBuffer)
{
    CInvalidArgException e(FALSE);
    wchar_t text[6] = L"xxxxx";
    EXPECT_TRUE(e.GetErrorMessage(text, 6));
    EXPECT_STREQ(text, L"Encou");
    EXPECT_FALSE(e.GetErrorMessage(text, 0));
    EXPECT_STREQ(text, L"Encou");

    CSimpleException plain(FALSE);
    EXPECT_TRUE(plain.GetErrorMessage(text, 6));
    EXPECT_STREQ(text, L"");
}
