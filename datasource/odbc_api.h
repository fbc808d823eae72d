// The ODBC interface of the driver manager (unixODBC's headers). Its headers
// carry their own spellings of a few Windows type names; those are renamed
// while they are read, so the platform's own types stay what they are.
#pragma once

#include "platform/kernel/types.h"

#define ULONG odbc_ULONG
#define WCHAR odbc_WCHAR
#define LPWSTR odbc_LPWSTR
#define LPCWSTR odbc_LPCWSTR
#define HWND odbc_HWND
#define HINSTANCE odbc_HINSTANCE
#include <sql.h>
#include <sqlext.h>
#undef ULONG
#undef WCHAR
#undef LPWSTR
#undef LPCWSTR
#undef HWND
#undef HINSTANCE
#undef BOOL

// Results that count as success throughout.
inline bool SqlSucceeded(SQLRETURN r) { return r == SQL_SUCCESS || r == SQL_SUCCESS_WITH_INFO; }
