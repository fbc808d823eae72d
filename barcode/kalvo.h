// Kalvo, the barcode library: the functions it exports. Everything else in the
// library is hidden.
#pragma once

#include "barcode/request/cbcode.h"
#include "platform/kernel/types.h"

#define KALVO_API extern "C" __attribute__((visibility("default")))

// Main entry: checks the request, dispatches on its symbology and leaves the
// sizes, the human-readable text and (unless measureOnly) a bitmap in it.
KALVO_API int kvoBCode(int reserved, CBCode* code, int measureOnly);
KALVO_API int GetHr(CBCode* code, int fromText);

// Validation and check characters.
KALVO_API int GetBCodeValidLens(int type, int subType, unsigned short* lengths, int* isMaximum, char* text);
KALVO_API int GetBCodeValidStr(int type, int subType, char* chars, int withLower);
KALVO_API int GetChkdgtCd(int type, int subType, char* out, AString data);

// Code 128 family.
KALVO_API int GetOptimized128Code(unsigned char* data, int length, unsigned char* out, int codeSet);
KALVO_API int GetCd128MultiCodeAndHr(const char* const* ais, const char* const* values, int withBrackets,
                                     char* outData, char* outText);
KALVO_API int LoadCd128MultiTable(typAIdef* table, LONG* count, LONG capacity);

// Code 39 and UPC.
KALVO_API LONG CD39Tranform2FullAscii(const char* src, char* dst, int dstSize, ULONG flags);
KALVO_API int DecompressUPC(char* upcE, char* upcA);
KALVO_API int GetBcSupplmnt(int type, int subType, char* data, char* main, char* supplement);
KALVO_API int GetITF14BoxWidth(int narrow, int resolution, int factor);

// Predicates.
KALVO_API int Is2DBCode(int type, int subType);
KALVO_API int IsPlus2(int type, int subType);
KALVO_API int IsPlus5(int type, int subType);
KALVO_API int Is128Auto(int type, int subType);
KALVO_API int Is128CF1Mod10(int type, int subType);
KALVO_API int IsCD128Group(int type, int subType);
KALVO_API int IsUPCA(int type);
KALVO_API int IsUPCE(int type);
KALVO_API int IsEAN8(int type);
KALVO_API int IsEAN13(int type);
KALVO_API int IsUPCEANGroup(int type);
KALVO_API int IsUPCEANGroup_nonSunrise(int type);
KALVO_API int IsUPCEANSunriseGroup(int type);
KALVO_API int IsUPCGroup(int type);
KALVO_API int IsEANGroup(int type);
KALVO_API int IsI25Group(int type);
KALVO_API int Is39Group(int type);
KALVO_API int IsPlesseyGroup(int type);
KALVO_API int IsSpecialDsControlsBCode(int type);

// Two-dimensional symbologies.
KALVO_API int GetColRowFromMode(int mode, POINT* size, LONG* index, int designerNumbering);
KALVO_API int CalcErrCorrectLevel(int codewords);
KALVO_API int GetDatamatrixDimensionsCount();
KALVO_API POINT GetDatamatrixNthDimension(int n);
