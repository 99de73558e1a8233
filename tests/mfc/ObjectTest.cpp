#include <afx.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
    DECLARE_DYNCREATE(CCircle)
public:
    int m_nRadius = 7;
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

class CUnrelated : public CObject {
    DECLARE_DYNCREATE(CUnrelated)
};
IMPLEMENT_DYNCREATE(CUnrelated, CObject)

class CFailing : public CObject {
    DECLARE_DYNCREATE(CFailing)
public:
    CFailing() { AfxThrowResourceException(); }
};
IMPLEMENT_DYNCREATE(CFailing, CObject)

// Collects what reaches the debugger output channel in this process.
class DebugOutputCapture {
public:
    DebugOutputCapture() : m_handler(AddVectoredExceptionHandler(1, &DebugOutputCapture::Handler)) { s_text.clear(); }
    ~DebugOutputCapture() { RemoveVectoredExceptionHandler(m_handler); }
    static const std::string& Text() { return s_text; }

private:
    static constexpr DWORD kNarrowDebugString = 0x40010006;

    static LONG CALLBACK Handler(EXCEPTION_POINTERS* info)
    {
        const EXCEPTION_RECORD* record = info->ExceptionRecord;
        if (record->ExceptionCode != kNarrowDebugString)
            return EXCEPTION_CONTINUE_SEARCH;
        s_text.append(reinterpret_cast<const char*>(record->ExceptionInformation[1]));
        return EXCEPTION_CONTINUE_EXECUTION;
    }

    static inline std::string s_text;
    PVOID m_handler;
};

} // namespace

TEST(RuntimeClass, IsKindOfWalksTheBaseChain)
{
    CCircle circle;
    CShape shape;
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CUnrelated)));
    EXPECT_FALSE(shape.IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, static_cast<CObject*>(&circle)), &circle);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, static_cast<CObject*>(&shape)), nullptr);
}

TEST(RuntimeClass, CreatesOnlyDynCreateClasses)
{
    std::unique_ptr<CObject> object(RUNTIME_CLASS(CCircle)->CreateObject());
    ASSERT_NE(object, nullptr);
    ASSERT_TRUE(object->IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_EQ(static_cast<CCircle*>(object.get())->m_nRadius, 7);

    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CFailing)->CreateObject(), nullptr);
}

TEST(RuntimeClass, FindsClassesByName)
{
    EXPECT_EQ(CRuntimeClass::FromName("CCircle"), RUNTIME_CLASS(CCircle));
    EXPECT_EQ(CRuntimeClass::FromName(L"CShape"), RUNTIME_CLASS(CShape));
    EXPECT_EQ(CRuntimeClass::FromName("CResourceException"), RUNTIME_CLASS(CResourceException));
    EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
    EXPECT_EQ(CRuntimeClass::FromName("CMissing"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(static_cast<LPCSTR>(nullptr)), nullptr);

    std::unique_ptr<CObject> object(CRuntimeClass::CreateObject(L"CUnrelated"));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetRuntimeClass(), RUNTIME_CLASS(CUnrelated));
    EXPECT_EQ(CRuntimeClass::CreateObject("CShape"), nullptr);
}

TEST(Diagnostics, TraceFormatsOntoTheDebuggerChannel)
{
    const DebugOutputCapture capture;
    AfxTrace(L"%s=%d\n", L"width", 42);
    AfxTrace("%s/%d\n", "narrow", 7);
    EXPECT_EQ(DebugOutputCapture::Text(), "width=42\nnarrow/7\n");
}
