// Atoms: strings and their 16-bit numbers, shared through the process (global
// atoms) or the module (local atoms; here the same table). A name "#n" or a
// number below 0xC000 is an integer atom.
#pragma once

#include "platform/kernel/types.h"

ATOM GlobalAddAtomW(LPCWSTR name);
ATOM GlobalAddAtomA(LPCSTR name);
inline ATOM GlobalAddAtom(LPCSTR name) { return GlobalAddAtomA(name); }
ATOM GlobalFindAtomW(LPCWSTR name);
ATOM GlobalFindAtomA(LPCSTR name);
inline ATOM GlobalFindAtom(LPCSTR name) { return GlobalFindAtomA(name); }
// Returns 0 on success, the atom on failure.
ATOM GlobalDeleteAtom(ATOM atom);
// Copies at most size - 1 units and a zero; returns the units copied.
UINT GlobalGetAtomNameW(ATOM atom, LPWSTR buffer, int size);
UINT GlobalGetAtomNameA(ATOM atom, LPSTR buffer, int size);
inline UINT GlobalGetAtomName(ATOM atom, LPSTR buffer, int size) { return GlobalGetAtomNameA(atom, buffer, size); }
inline ATOM AddAtomA(LPCSTR name) { return GlobalAddAtomA(name); }
inline ATOM FindAtomA(LPCSTR name) { return GlobalFindAtomA(name); }
inline ATOM DeleteAtom(ATOM atom) { return GlobalDeleteAtom(atom); }
inline ATOM AddAtom(LPCSTR name) { return AddAtomA(name); }
inline ATOM FindAtom(LPCSTR name) { return FindAtomA(name); }
