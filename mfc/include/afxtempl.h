#pragma once

// MFC's collection templates: CArray (a growable array), CList (a doubly linked list walked with
// POSITION values) and CMap (a hash table with chained buckets). TYPE is what a collection stores,
// ARG_TYPE how its members take an element. Bad indexes and positions throw CInvalidArgException*
// and leave the collection unchanged.

#include "afx.h"

#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

// Equality used by CList::Find and CMap; specialise it for types without operator==.
template <class TYPE, class ARG_TYPE>
BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// The hash CMap computes for a key passed as ARG_KEY. Integers, enumerations and pointers hash by
// value; strings (LPCWSTR, LPCSTR, CString) by their characters.
template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key)
{
    ULONGLONG value;
    if constexpr (std::is_pointer_v<std::remove_cvref_t<ARG_KEY>>)
        value = reinterpret_cast<ULONG_PTR>(key);
    else
        value = static_cast<ULONGLONG>(key);
    // Fibonacci hashing: keys that differ only in low or only in high bits spread over the buckets.
    constexpr ULONGLONG kGoldenRatio = 0x9E3779B97F4A7C15ull;
    return UINT((value * kGoldenRatio) >> 32);
}

template <class Char>
inline UINT AfxHashString(const Char* key)
{
    UINT nHash = 0;
    for (; key != nullptr && *key != 0; ++key)
        nHash = (nHash << 5) + nHash + UINT(*key);
    return nHash;
}

template <>
inline UINT AFXAPI HashKey<LPCWSTR>(LPCWSTR key)
{
    return AfxHashString(key);
}
template <>
inline UINT AFXAPI HashKey<LPCSTR>(LPCSTR key)
{
    return AfxHashString(key);
}
template <>
inline UINT AFXAPI HashKey<const CStringW&>(const CStringW& key)
{
    return AfxHashString(key.GetString());
}
template <>
inline UINT AFXAPI HashKey<const CStringA&>(const CStringA& key)
{
    return AfxHashString(key.GetString());
}
template <>
inline UINT AFXAPI HashKey<CStringW>(CStringW key)
{
    return AfxHashString(key.GetString());
}
template <>
inline UINT AFXAPI HashKey<CStringA>(CStringA key)
{
    return AfxHashString(key.GetString());
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

// A hash map with a fixed number of buckets (17 unless InitHashTable says otherwise); each bucket
// chains its entries, newest first. Walk all entries with GetStartPosition and GetNextAssoc.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
public:
    class CPair {
    public:
        const KEY key;
        VALUE value;

    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

protected:
    class CAssoc : public CPair {
    public:
        CAssoc(ARG_KEY keyval, UINT nHash, CAssoc* pNextAssoc) : CPair(keyval), pNext(pNextAssoc), nHashValue(nHash) {}

        CAssoc* pNext;
        UINT nHashValue;
    };

public:
    // Construction; entries are allocated one at a time, so the block size is accepted for compatibility.
    explicit CMap([[maybe_unused]] INT_PTR nBlockSize = 10) {}
    ~CMap() override { RemoveAll(); }

    // Attributes
    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    // Lookup
    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const CPair* pPair = PLookup(key);
        if (pPair == nullptr)
            return FALSE;
        rValue = pPair->value;
        return TRUE;
    }
    const CPair* PLookup(ARG_KEY key) const { return Find(key, HashKey<ARG_KEY>(key)); }
    CPair* PLookup(ARG_KEY key) { return Find(key, HashKey<ARG_KEY>(key)); }

    // Operations. operator[] adds a value-initialised entry for a new key.
    VALUE& operator[](ARG_KEY key)
    {
        const UINT nHash = HashKey<ARG_KEY>(key);
        if (CAssoc* pAssoc = Find(key, nHash))
            return pAssoc->value;
        if (m_pHashTable == nullptr)
            InitHashTable(m_nHashTableSize);
        CAssoc*& head = m_pHashTable[nHash % m_nHashTableSize];
        head = new CAssoc(key, nHash, head);
        ++m_nCount;
        return head->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_pHashTable == nullptr)
            return FALSE;
        const UINT nHash = HashKey<ARG_KEY>(key);
        for (CAssoc** link = &m_pHashTable[nHash % m_nHashTableSize]; *link != nullptr; link = &(*link)->pNext) {
            if (CompareElements(&(*link)->key, &key)) {
                const std::unique_ptr<CAssoc> removed(*link);
                *link = removed->pNext;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        for (UINT nBucket = 0; m_pHashTable != nullptr && nBucket < m_nHashTableSize; ++nBucket) {
            while (CAssoc* pAssoc = m_pHashTable[nBucket]) {
                m_pHashTable[nBucket] = pAssoc->pNext;
                delete pAssoc;
            }
        }
        m_pHashTable.reset();
        m_nCount = 0;
    }
    // Sets the number of buckets (best a prime about 20% above the expected count); entries already
    // in the map move to the new buckets.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE)
    {
        if (hashSize == 0)
            AfxThrowInvalidArgException();
        std::unique_ptr<CAssoc*[]> table(bAllocNow || m_nCount > 0 ? new CAssoc*[hashSize]() : nullptr);
        for (UINT nBucket = 0; m_pHashTable != nullptr && nBucket < m_nHashTableSize; ++nBucket) {
            while (CAssoc* pAssoc = m_pHashTable[nBucket]) {
                m_pHashTable[nBucket] = pAssoc->pNext;
                CAssoc*& head = table[pAssoc->nHashValue % hashSize];
                pAssoc->pNext = head;
                head = pAssoc;
            }
        }
        m_pHashTable = std::move(table);
        m_nHashTableSize = hashSize;
    }

    // Iteration: null when the map is empty. GetNextAssoc returns an entry and moves the position on,
    // to null after the last; a null position throws.
    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        const CAssoc* pAssoc = rNextPosition == BEFORE_START_POSITION
                                   ? FirstFrom(0)
                                   : reinterpret_cast<const CAssoc*>(rNextPosition);
        if (pAssoc == nullptr)
            AfxThrowInvalidArgException();
        rNextPosition = reinterpret_cast<POSITION>(Next(pAssoc));
        rKey = pAssoc->key;
        rValue = pAssoc->value;
    }
    const CPair* PGetFirstAssoc() const { return FirstFrom(0); }
    CPair* PGetFirstAssoc() { return FirstFrom(0); }
    const CPair* PGetNextAssoc(const CPair* pAssocRet) const { return Next(static_cast<const CAssoc*>(pAssocRet)); }
    CPair* PGetNextAssoc(const CPair* pAssocRet) { return Next(static_cast<const CAssoc*>(pAssocRet)); }

    // Implementation
private:
    CAssoc* Find(ARG_KEY key, UINT nHash) const
    {
        if (m_pHashTable == nullptr)
            return nullptr;
        for (CAssoc* pAssoc = m_pHashTable[nHash % m_nHashTableSize]; pAssoc != nullptr; pAssoc = pAssoc->pNext) {
            if (CompareElements(&pAssoc->key, &key))
                return pAssoc;
        }
        return nullptr;
    }
    CAssoc* FirstFrom(UINT nBucket) const
    {
        for (; m_pHashTable != nullptr && nBucket < m_nHashTableSize; ++nBucket) {
            if (m_pHashTable[nBucket] != nullptr)
                return m_pHashTable[nBucket];
        }
        return nullptr;
    }
    CAssoc* Next(const CAssoc* pAssoc) const
    {
        return pAssoc->pNext != nullptr ? pAssoc->pNext : FirstFrom(pAssoc->nHashValue % m_nHashTableSize + 1);
    }

    std::unique_ptr<CAssoc*[]> m_pHashTable;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
};
