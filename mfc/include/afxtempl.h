#pragma once

// MFC's collection templates: CArray (a growable array) and CList (a doubly linked list walked with
// POSITION values). TYPE is what a collection stores, ARG_TYPE how its members take an element.
// Bad indexes and positions throw CInvalidArgException* and leave the collection unchanged.

#include "afx.h"

#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

// Equality used by CList::Find; specialise it for types without operator==.
template <class TYPE, class ARG_TYPE>
BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// A growable array. Elements are contiguous (GetData) and value-initialised when the array grows;
// growth is geometric, so nGrowBy is accepted for compatibility only.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
    static_assert(!std::is_same_v<TYPE, bool>, "CArray stores BOOL, not bool");

public:
    // Construction
    CArray() = default;
    ~CArray() override = default;

    // Attributes
    INT_PTR GetSize() const { return INT_PTR(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    void SetSize(INT_PTR nNewSize, [[maybe_unused]] INT_PTR nGrowBy = -1)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        m_data.resize(size_t(nNewSize));
    }

    // Operations
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll()
    {
        m_data.clear();
        m_data.shrink_to_fit();
    }

    // Element access; an index outside 0..GetUpperBound() throws.
    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[Checked(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE* GetData() const { return m_data.data(); }
    TYPE* GetData() { return m_data.data(); }

    // Growing; the element may be one of this array's own.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        if (nIndex < GetSize()) {
            m_data[size_t(nIndex)] = newElement;
            return;
        }
        TYPE element(newElement);
        m_data.resize(size_t(nIndex) + 1);
        m_data.back() = std::move(element);
    }
    // Returns the index of the new element.
    INT_PTR Add(ARG_TYPE newElement)
    {
        m_data.push_back(newElement);
        return GetUpperBound();
    }
    // Returns the index of the first appended element.
    INT_PTR Append(const CArray& src)
    {
        if (&src == this)
            AfxThrowInvalidArgException();
        const INT_PTR nOldSize = GetSize();
        m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        return nOldSize;
    }
    void Copy(const CArray& src)
    {
        if (&src != this)
            m_data = src.m_data;
    }

    // Inserting at or beyond the end grows the array first.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount <= 0)
            AfxThrowInvalidArgException();
        const TYPE element(newElement);
        GrowTo(nIndex);
        m_data.insert(m_data.begin() + nIndex, size_t(nCount), element);
    }
    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray)
    {
        if (nStartIndex < 0 || pNewArray == nullptr)
            AfxThrowInvalidArgException();
        const std::vector<TYPE> elements(pNewArray->m_data);
        GrowTo(nStartIndex);
        m_data.insert(m_data.begin() + nStartIndex, elements.begin(), elements.end());
    }
    // The range nIndex..nIndex+nCount-1 must lie inside the array.
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nCount > GetSize() - nIndex)
            AfxThrowInvalidArgException();
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

    // Implementation
private:
    size_t Checked(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return size_t(nIndex);
    }
    void GrowTo(INT_PTR nSize)
    {
        if (nSize > GetSize())
            m_data.resize(size_t(nSize));
    }

    std::vector<TYPE> m_data;
};

// A doubly linked list. A POSITION names a node until that node is removed; GetNext and GetPrev
// return the element at a position and move the position on, to null past either end.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
protected:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    // Construction; nodes are allocated one at a time, so the block size is accepted for compatibility.
    explicit CList([[maybe_unused]] INT_PTR nBlockSize = 10) {}
    ~CList() override { RemoveAll(); }

    // Attributes
    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // Head and tail; on an empty list these throw.
    TYPE& GetHead() { return Checked(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return Checked(m_pNodeHead)->data; }
    TYPE& GetTail() { return Checked(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return Checked(m_pNodeTail)->data; }
    TYPE RemoveHead() { return Unlink(Checked(m_pNodeHead)); }
    TYPE RemoveTail() { return Unlink(Checked(m_pNodeTail)); }

    POSITION AddHead(ARG_TYPE newElement) { return Link(nullptr, m_pNodeHead, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return Link(m_pNodeTail, nullptr, newElement); }
    // Adds copies of another list's elements, keeping their order; the list may be this one.
    void AddHead(CList* pNewList)
    {
        const CNode* pNode = Checked(pNewList)->m_pNodeTail;
        for (INT_PTR n = pNewList->m_nCount; n > 0; --n, pNode = pNode->pPrev)
            AddHead(pNode->data);
    }
    void AddTail(CList* pNewList)
    {
        const CNode* pNode = Checked(pNewList)->m_pNodeHead;
        for (INT_PTR n = pNewList->m_nCount; n > 0; --n, pNode = pNode->pNext)
            AddTail(pNode->data);
    }
    void RemoveAll()
    {
        while (m_pNodeHead != nullptr)
            Unlink(m_pNodeHead);
    }

    // Iteration
    POSITION GetHeadPosition() const { return Position(m_pNodeHead); }
    POSITION GetTailPosition() const { return Position(m_pNodeTail); }
    TYPE& GetNext(POSITION& rPosition) { return Step(rPosition, &CNode::pNext)->data; }
    const TYPE& GetNext(POSITION& rPosition) const { return Step(rPosition, &CNode::pNext)->data; }
    TYPE& GetPrev(POSITION& rPosition) { return Step(rPosition, &CNode::pPrev)->data; }
    const TYPE& GetPrev(POSITION& rPosition) const { return Step(rPosition, &CNode::pPrev)->data; }

    // Access at a position; a null position throws.
    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
    void RemoveAt(POSITION position) { Unlink(Node(position)); }
    // Before a null position is at the head, after it at the tail.
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        CNode* pNext = position != nullptr ? Node(position) : m_pNodeHead;
        return Link(pNext != nullptr ? pNext->pPrev : nullptr, pNext, newElement);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        CNode* pPrev = position != nullptr ? Node(position) : m_pNodeTail;
        return Link(pPrev, pPrev != nullptr ? pPrev->pNext : nullptr, newElement);
    }

    // Searching: the position found, or null.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        for (CNode* pNode = startAfter != nullptr ? Node(startAfter)->pNext : m_pNodeHead; pNode != nullptr;
             pNode = pNode->pNext) {
            if (CompareElements(&pNode->data, &searchValue))
                return Position(pNode);
        }
        return nullptr;
    }
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return nullptr;
        CNode* pNode = m_pNodeHead;
        for (; nIndex > 0; --nIndex)
            pNode = pNode->pNext;
        return Position(pNode);
    }

    // Implementation
private:
    template <typename Pointer>
    static Pointer Checked(Pointer pointer)
    {
        if (pointer == nullptr)
            AfxThrowInvalidArgException();
        return pointer;
    }
    static CNode* Node(POSITION position) { return reinterpret_cast<CNode*>(Checked(position)); }
    static POSITION Position(CNode* pNode) { return reinterpret_cast<POSITION>(pNode); }
    static CNode* Step(POSITION& rPosition, CNode* CNode::*link)
    {
        CNode* pNode = Node(rPosition);
        rPosition = Position(pNode->*link);
        return pNode;
    }

    POSITION Link(CNode* pPrev, CNode* pNext, ARG_TYPE newElement)
    {
        CNode* pNode = new CNode{pNext, pPrev, TYPE(newElement)};
        (pPrev != nullptr ? pPrev->pNext : m_pNodeHead) = pNode;
        (pNext != nullptr ? pNext->pPrev : m_pNodeTail) = pNode;
        ++m_nCount;
        return Position(pNode);
    }
    TYPE Unlink(CNode* pNode)
    {
        (pNode->pPrev != nullptr ? pNode->pPrev->pNext : m_pNodeHead) = pNode->pNext;
        (pNode->pNext != nullptr ? pNode->pNext->pPrev : m_pNodeTail) = pNode->pPrev;
        --m_nCount;
        const std::unique_ptr<CNode> owner(pNode);
        return std::move(pNode->data);
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
};
