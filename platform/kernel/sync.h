// Interlocked operations and re-entrant critical sections.
#pragma once

#include <pthread.h>

#include "platform/kernel/types.h"

// A critical section is re-entrant on the thread that holds it. One declared
// with CRITICAL_SECTION_STATIC_INIT needs no InitializeCriticalSection, so a
// process-wide lock has no creation race.
struct CRITICAL_SECTION {
  pthread_mutex_t mutex;
};
using LPCRITICAL_SECTION = CRITICAL_SECTION*;

#define CRITICAL_SECTION_STATIC_INIT {PTHREAD_RECURSIVE_MUTEX_INITIALIZER_NP}

void InitializeCriticalSection(LPCRITICAL_SECTION cs);
void DeleteCriticalSection(LPCRITICAL_SECTION cs);
void EnterCriticalSection(LPCRITICAL_SECTION cs);
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION cs);
void LeaveCriticalSection(LPCRITICAL_SECTION cs);

LONG InterlockedIncrement(LONG volatile* target);
LONG InterlockedDecrement(LONG volatile* target);
LONG InterlockedExchange(LONG volatile* target, LONG value);
LONG InterlockedExchangeAdd(LONG volatile* target, LONG value);
LONG InterlockedCompareExchange(LONG volatile* target, LONG exchange, LONG comparand);
