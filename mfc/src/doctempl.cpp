#include "wndstate.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

namespace {

// The document strings are "window title\ndocument name\n...".
const int docNameIndex = 1;
const wchar_t untitled[] = L"Untitled";

template <class T> T* createByClass(CRuntimeClass* runtimeClass)
{
    CObject* object = runtimeClass ? runtimeClass->CreateObject() : nullptr;
    T* typed = DYNAMIC_DOWNCAST(T, object);
    if (!typed)
        delete object;
    return typed;
}

} // namespace

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
    m_strDocStrings.LoadString(nIDResource);
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CDocument* document = createByClass<CDocument>(m_pDocClass);
    if (document)
        AddDocument(document);
    return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CFrameWnd* frame = createByClass<CFrameWnd>(m_pFrameClass);
    // A frame that fails to load deletes itself (PostNcDestroy).
    if (!frame || !frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc)
        m_pOnlyDoc->OnCloseDocument();
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc ? qvmfc::positionOf(0) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    rPos = nullptr;
    return m_pOnlyDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString name;
    AfxExtractSubString(name, m_strDocStrings, docNameIndex);
    pDocument->SetTitle(name.IsEmpty() ? CString(untitled) : name);
}

namespace {

BOOL loadDocument(CDocTemplate& docTemplate, CDocument* document, LPCTSTR pathName)
{
    if (!pathName) {
        docTemplate.SetDefaultTitle(document);
        return document->OnNewDocument();
    }
    if (!document->OnOpenDocument(pathName))
        return FALSE;
    document->SetPathName(pathName);
    return TRUE;
}

CFrameWnd* frameOf(CDocument* document)
{
    POSITION position = document->GetFirstViewPosition();
    return position ? document->GetNextView(position)->GetParentFrame() : nullptr;
}

} // namespace

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    if (CDocument* document = m_pOnlyDoc) {
        if (!loadDocument(*this, document, lpszPathName))
            return nullptr;
        if (CFrameWnd* frame = frameOf(document))
            InitialUpdateFrame(frame, document, bMakeVisible);
        return document;
    }
    CDocument* document = CreateNewDocument();
    if (!document)
        return nullptr;
    // The document must outlive a frame that fails half-way.
    const BOOL autoDelete = document->m_bAutoDelete;
    document->m_bAutoDelete = FALSE;
    CFrameWnd* frame = CreateNewFrame(document, nullptr);
    document->m_bAutoDelete = autoDelete;
    if (!frame) {
        delete document;
        return nullptr;
    }
    // On failure, destroying the frame removes the last view, which deletes the document.
    if (!loadDocument(*this, document, lpszPathName)) {
        frame->DestroyWindow();
        return nullptr;
    }
    if (CWinThread* thread = AfxGetThread(); thread && !thread->m_pMainWnd)
        thread->m_pMainWnd = frame;
    InitialUpdateFrame(frame, document, bMakeVisible);
    return document;
}
