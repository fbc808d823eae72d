// The framework's collections: lists walked by POSITION, arrays that grow,
// and hash maps iterated bucket by bucket, over pointers, objects, strings
// and words. Indices out of range throw CInvalidArgException instead of
// touching memory that is not the collection's.
#pragma once

#include <vector>

#include "platform/framework/archive.h"
#include "platform/framework/cstring.h"
#include "platform/framework/object.h"

struct AfxPosition;
using POSITION = AfxPosition*;
inline const POSITION BEFORE_START_POSITION = reinterpret_cast<POSITION>(static_cast<intptr_t>(-1));

namespace afx {

// A doubly linked list; POSITION is the address of a node.
template <class T, class Arg>
class List {
 public:
  struct Node {
    Node* next;
    Node* prev;
    T data;
  };

  explicit List(int blockSize = 10) : m_nBlockSize(blockSize) {}
  ~List() { RemoveAll(); }
  List(const List&) = delete;
  List& operator=(const List&) = delete;

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }
  T& GetHead() { return Checked(m_pHead)->data; }
  const T& GetHead() const { return Checked(m_pHead)->data; }
  T& GetTail() { return Checked(m_pTail)->data; }
  const T& GetTail() const { return Checked(m_pTail)->data; }
  T RemoveHead() {
    Node* n = Checked(m_pHead);
    T value = n->data;
    Unlink(n);
    return value;
  }
  T RemoveTail() {
    Node* n = Checked(m_pTail);
    T value = n->data;
    Unlink(n);
    return value;
  }
  POSITION AddHead(Arg value) { return InsertBefore(Pos(m_pHead), value); }
  POSITION AddTail(Arg value) { return InsertAfter(Pos(m_pTail), value); }
  void AddHead(const List* other) {
    for (Node* n = other->m_pTail; n; n = n->prev) AddHead(n->data);
  }
  void AddTail(const List* other) {
    for (Node* n = other->m_pHead; n; n = n->next) AddTail(n->data);
  }
  void RemoveAll() {
    for (Node* n = m_pHead; n;) {
      Node* next = n->next;
      delete n;
      n = next;
    }
    m_pHead = m_pTail = nullptr;
    m_nCount = 0;
  }
  POSITION GetHeadPosition() const { return Pos(m_pHead); }
  POSITION GetTailPosition() const { return Pos(m_pTail); }
  T& GetNext(POSITION& pos) {
    Node* n = Checked(NodeOf(pos));
    pos = Pos(n->next);
    return n->data;
  }
  const T& GetNext(POSITION& pos) const { return const_cast<List*>(this)->GetNext(pos); }
  T& GetPrev(POSITION& pos) {
    Node* n = Checked(NodeOf(pos));
    pos = Pos(n->prev);
    return n->data;
  }
  const T& GetPrev(POSITION& pos) const { return const_cast<List*>(this)->GetPrev(pos); }
  T& GetAt(POSITION pos) { return Checked(NodeOf(pos))->data; }
  const T& GetAt(POSITION pos) const { return Checked(NodeOf(pos))->data; }
  void SetAt(POSITION pos, Arg value) { Checked(NodeOf(pos))->data = value; }
  void RemoveAt(POSITION pos) { Unlink(Checked(NodeOf(pos))); }
  // With a null position, InsertBefore adds at the head and InsertAfter at the tail.
  POSITION InsertBefore(POSITION pos, Arg value) {
    Node* at = NodeOf(pos);
    if (!at) at = m_pHead;
    Node* n = new Node{at, at ? at->prev : nullptr, value};
    if (n->prev) n->prev->next = n; else m_pHead = n;
    if (at) at->prev = n; else m_pTail = n;
    ++m_nCount;
    return Pos(n);
  }
  POSITION InsertAfter(POSITION pos, Arg value) {
    Node* at = NodeOf(pos);
    if (!at) at = m_pTail;
    Node* n = new Node{at ? at->next : nullptr, at, value};
    if (n->next) n->next->prev = n; else m_pTail = n;
    if (at) at->next = n; else m_pHead = n;
    ++m_nCount;
    return Pos(n);
  }
  POSITION Find(Arg value, POSITION after = nullptr) const {
    for (Node* n = after ? NodeOf(after)->next : m_pHead; n; n = n->next)
      if (n->data == value) return Pos(n);
    return nullptr;
  }
  POSITION FindIndex(INT_PTR index) const {
    if (index < 0 || index >= m_nCount) return nullptr;
    Node* n = m_pHead;
    while (index-- > 0) n = n->next;
    return Pos(n);
  }

 protected:
  static POSITION Pos(Node* n) { return reinterpret_cast<POSITION>(n); }
  static Node* NodeOf(POSITION p) { return reinterpret_cast<Node*>(p); }
  static Node* Checked(Node* n);
  void Unlink(Node* n) {
    if (n->prev) n->prev->next = n->next; else m_pHead = n->next;
    if (n->next) n->next->prev = n->prev; else m_pTail = n->prev;
    delete n;
    --m_nCount;
  }

  Node* m_pHead = nullptr;
  Node* m_pTail = nullptr;
  INT_PTR m_nCount = 0;
  int m_nBlockSize;
};

[[noreturn]] void ThrowBadIndex();

template <class T, class Arg>
typename List<T, Arg>::Node* List<T, Arg>::Checked(Node* n) {
  if (!n) ThrowBadIndex();
  return n;
}

// A growing array; the grow step 0 lets the array pick one from its size.
template <class T, class Arg>
class Array {
 public:
  INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  BOOL IsEmpty() const { return m_data.empty(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }
  void SetSize(INT_PTR size, INT_PTR growBy = -1) {
    if (size < 0) ThrowBadIndex();
    if (growBy >= 0) m_nGrowBy = growBy;
    m_data.resize(static_cast<size_t>(size), T());
  }
  void FreeExtra() { m_data.shrink_to_fit(); }
  void RemoveAll() { m_data.clear(); }
  const T& GetAt(INT_PTR i) const { return m_data[Index(i)]; }
  T& GetAt(INT_PTR i) { return m_data[Index(i)]; }
  void SetAt(INT_PTR i, Arg value) { m_data[Index(i)] = value; }
  T& ElementAt(INT_PTR i) { return m_data[Index(i)]; }
  const T* GetData() const { return m_data.data(); }
  T* GetData() { return m_data.data(); }
  void SetAtGrow(INT_PTR i, Arg value) {
    if (i < 0) ThrowBadIndex();
    if (i >= GetSize()) SetSize(i + 1);
    m_data[static_cast<size_t>(i)] = value;
  }
  INT_PTR Add(Arg value) {
    m_data.push_back(value);
    return GetUpperBound();
  }
  INT_PTR Append(const Array& other) {
    const INT_PTR first = GetSize();
    m_data.insert(m_data.end(), other.m_data.begin(), other.m_data.end());
    return first;
  }
  void Copy(const Array& other) { m_data = other.m_data; }
  void InsertAt(INT_PTR i, Arg value, INT_PTR count = 1) {
    if (i < 0 || count < 0) ThrowBadIndex();
    if (i > GetSize()) SetSize(i);
    m_data.insert(m_data.begin() + i, static_cast<size_t>(count), value);
  }
  void InsertAt(INT_PTR i, const Array* other) {
    if (i < 0) ThrowBadIndex();
    if (i > GetSize()) SetSize(i);
    m_data.insert(m_data.begin() + i, other->m_data.begin(), other->m_data.end());
  }
  void RemoveAt(INT_PTR i, INT_PTR count = 1) {
    if (i < 0 || count < 0 || i + count > GetSize()) ThrowBadIndex();
    m_data.erase(m_data.begin() + i, m_data.begin() + i + count);
  }
  T& operator[](INT_PTR i) { return ElementAt(i); }
  const T& operator[](INT_PTR i) const { return GetAt(i); }

 protected:
  size_t Index(INT_PTR i) const {
    if (i < 0 || i >= GetSize()) ThrowBadIndex();
    return static_cast<size_t>(i);
  }
  std::vector<T> m_data;
  INT_PTR m_nGrowBy = 0;
};

// Hash keys as the framework computes them, so maps are walked in its order.
inline UINT HashKey(const char* key) {
  UINT h = 0;
  for (const char* p = key; *p; ++p) h = (h << 5) + h + static_cast<BYTE>(*p);
  return h;
}
inline UINT HashKey(const void* key) { return static_cast<UINT>(reinterpret_cast<uintptr_t>(key) >> 4); }
inline UINT HashKey(WORD key) { return static_cast<UINT>(key) >> 4; }

// A chained hash table; new keys go to the front of their bucket, and a walk
// goes bucket by bucket.
template <class K, class KArg, class V, class VArg>
class Map {
 public:
  struct Assoc {
    Assoc* next;
    K key;
    V value;
  };

  explicit Map(INT_PTR = 10) {}
  ~Map() { RemoveAll(); }
  Map(const Map&) = delete;
  Map& operator=(const Map&) = delete;

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }
  UINT GetHashTableSize() const { return static_cast<UINT>(m_table.size()); }
  void InitHashTable(UINT size) {
    RemoveAll();
    m_nHashSize = size ? size : 17;
  }
  BOOL Lookup(KArg key, V& value) const {
    if (const Assoc* a = Find(key)) {
      value = a->value;
      return TRUE;
    }
    return FALSE;
  }
  V& operator[](KArg key) {
    if (Assoc* a = Find(key)) return a->value;
    if (m_table.empty()) m_table.assign(m_nHashSize, nullptr);
    Assoc*& head = m_table[HashKey(key) % m_table.size()];
    head = new Assoc{head, K(key), V()};
    ++m_nCount;
    return head->value;
  }
  void SetAt(KArg key, VArg value) { (*this)[key] = value; }
  BOOL RemoveKey(KArg key) {
    if (m_table.empty()) return FALSE;
    for (Assoc** link = &m_table[HashKey(key) % m_table.size()]; *link; link = &(*link)->next) {
      if ((*link)->key == key) {
        Assoc* gone = *link;
        *link = gone->next;
        delete gone;
        --m_nCount;
        return TRUE;
      }
    }
    return FALSE;
  }
  void RemoveAll() {
    for (Assoc*& head : m_table) {
      while (head) {
        Assoc* next = head->next;
        delete head;
        head = next;
      }
    }
    m_table.clear();
    m_nCount = 0;
  }
  POSITION GetStartPosition() const { return m_nCount ? BEFORE_START_POSITION : nullptr; }
  void GetNextAssoc(POSITION& pos, K& key, V& value) const {
    const Assoc* a = pos == BEFORE_START_POSITION ? NextFrom(0) : reinterpret_cast<const Assoc*>(pos);
    if (!a) ThrowBadIndex();
    key = a->key;
    value = a->value;
    const Assoc* next = a->next ? a->next : NextFrom(HashKey(KArg(a->key)) % m_table.size() + 1);
    pos = reinterpret_cast<POSITION>(const_cast<Assoc*>(next));
  }

 private:
  const Assoc* NextFrom(size_t bucket) const {
    for (; bucket < m_table.size(); ++bucket)
      if (m_table[bucket]) return m_table[bucket];
    return nullptr;
  }
  Assoc* Find(KArg key) const {
    if (m_table.empty()) return nullptr;
    for (Assoc* a = m_table[HashKey(key) % m_table.size()]; a; a = a->next)
      if (a->key == key) return a;
    return nullptr;
  }

  std::vector<Assoc*> m_table;
  UINT m_nHashSize = 17;
  INT_PTR m_nCount = 0;
};

}  // namespace afx

class CPtrList : public CObject, public afx::List<void*, void*> {
  DECLARE_DYNAMIC(CPtrList)

 public:
  explicit CPtrList(INT_PTR blockSize = 10) : List(static_cast<int>(blockSize)) {}
};

class CObList : public CObject, public afx::List<CObject*, CObject*> {
  DECLARE_SERIAL(CObList)

 public:
  explicit CObList(INT_PTR blockSize = 10) : List(static_cast<int>(blockSize)) {}
  void Serialize(CArchive& ar) override;
};

class CStringList : public CObject, public afx::List<CString, const char*> {
  DECLARE_SERIAL(CStringList)

 public:
  explicit CStringList(INT_PTR blockSize = 10) : List(static_cast<int>(blockSize)) {}
  void Serialize(CArchive& ar) override;
};

class CPtrArray : public CObject, public afx::Array<void*, void*> {
  DECLARE_DYNAMIC(CPtrArray)
};

class CObArray : public CObject, public afx::Array<CObject*, CObject*> {
  DECLARE_SERIAL(CObArray)

 public:
  void Serialize(CArchive& ar) override;
};

class CStringArray : public CObject, public afx::Array<CString, const char*> {
  DECLARE_SERIAL(CStringArray)

 public:
  void Serialize(CArchive& ar) override;
};

class CDWordArray : public CObject, public afx::Array<DWORD, DWORD> {
  DECLARE_SERIAL(CDWordArray)

 public:
  void Serialize(CArchive& ar) override;
};

class CUIntArray : public CObject, public afx::Array<UINT, UINT> {
  DECLARE_DYNAMIC(CUIntArray)
};

class CMapStringToPtr : public CObject, public afx::Map<CString, const char*, void*, void*> {
  DECLARE_DYNAMIC(CMapStringToPtr)

 public:
  explicit CMapStringToPtr(INT_PTR blockSize = 10) : Map(blockSize) {}
};

class CMapStringToString : public CObject, public afx::Map<CString, const char*, CString, const char*> {
  DECLARE_SERIAL(CMapStringToString)

 public:
  explicit CMapStringToString(INT_PTR blockSize = 10) : Map(blockSize) {}
  void Serialize(CArchive& ar) override;
};

class CMapPtrToPtr : public CObject, public afx::Map<void*, void*, void*, void*> {
  DECLARE_DYNAMIC(CMapPtrToPtr)

 public:
  explicit CMapPtrToPtr(INT_PTR blockSize = 10) : Map(blockSize) {}
};

class CMapWordToPtr : public CObject, public afx::Map<WORD, WORD, void*, void*> {
  DECLARE_DYNAMIC(CMapWordToPtr)

 public:
  explicit CMapWordToPtr(INT_PTR blockSize = 10) : Map(blockSize) {}
};
