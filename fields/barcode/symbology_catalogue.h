// The symbology catalogue: the names the designer shows for each symbology
// code, the sub-types of each, the application-identifier table the library
// loads, and a parser from type names to codes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "barcode/request/cbcode.h"

inline constexpr int kSymbologySlots = 36;
inline constexpr int kAiTableCapacity = 700;

// "CODABAR" .. "Aztech" for codes 0..34; "" for 35 and anything outside.
const char* SymbologyDisplayName(int symbology);

// Builds the catalogue's derived tables and, while the AI table is empty,
// loads it from the library (with its capacity). Safe to call again.
void InitSymbologyTables();
// The name of a sub-type ("" when none); symbology 2 uses the entry of 1.
std::string GetSubtypeName(int symbology, int subType);
// The sub-type codes in list order; returns their number.
int GetSubtypeCodes(int symbology, std::vector<uint16_t>& out);
// 1 for EAN-8, EAN-13, UPC-A and UPC-E with a supplement sub-type.
int HasSupplement(int symbology, int subType);
// A symbology code (or -1) for a type name; *subType receives its sub-type.
int ParseSymbologyName(const char* name, int* subType);

// The application-identifier definitions loaded by InitSymbologyTables.
std::span<const typAIdef> GetAiDefinitions();
// The definition of an identifier, or null.
const typAIdef* FindAIDefinition(const char* identifier);
