#include "fields/barcode/symbology_catalogue.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <mutex>

#include "barcode/kalvo.h"

namespace {

constexpr std::array<const char*, kSymbologySlots> kDisplayNames = {
    "CODABAR",      "Code 39",      "Code 39 Full Ascii", "Code 93",           "Code 128",         "EAN8",
    "EAN13",        "EAN 128",      "EAN/UCC 13",         "EAN/UCC 14",        "Interleaved 2 of 5", "ITF14",
    "Plessey",      "Rss14",        "Rss14 Composite",    "SSCC18",            "SSCC14",           "UCC 12",
    "UCC 128",      "UCC/EAN 128",  "UCC/EAN 128 Multi",  "UPC-A",             "UPC-E",            "UPCSHIP",
    "Posnet",       "Planet",       "MSI",                "PDF 417",           "MaxiCode",         "Datamatrix",
    "Code 49",      "Micro PDF417", "Code 16",            "QR Code",           "Aztech",           "",
};

struct Subtype {
  uint8_t symbology;
  uint8_t code;
  const char* name;
};

// Sub-types of each symbology, in the order the lists show them.
constexpr Subtype kSubtypes[] = {
    {1, 0, "None"},         {1, 1, "Mod 43"},
    {4, 1, "Code 128A"},    {4, 2, "Code 128B"},    {4, 3, "Code 128C"},   {4, 0, "Code 128 Auto"},
    {4, 4, "128C F1 MOD 10"},
    {20, 0, "Auto"},        {20, 1, "C"},           {20, 2, "B"},          {20, 3, "A"},
    {5, 0, "None"},         {5, 1, "Plus 2"},       {5, 2, "Plus 5"},
    {6, 0, "None"},         {6, 1, "Plus 2"},       {6, 2, "Plus 5"},
    {21, 0, "None"},        {21, 1, "Plus 2"},      {21, 2, "Plus 5"},
    {22, 0, "None"},        {22, 1, "Plus 2"},      {22, 2, "Plus 5"},
    {10, 0, "None"},        {10, 1, "Mod 10"},
    {13, 0, "None"},        {13, 1, "Truncated"},   {13, 2, "Stacked"},    {13, 3, "Stacked OmniDirectional"},
    {13, 4, "Limited"},     {13, 5, "Expanded"},
    {14, 0, "None"},        {14, 1, "Truncated"},   {14, 2, "Stacked"},    {14, 3, "Stacked OmniDirectional"},
    {14, 4, "Limited"},     {14, 5, "Expanded"},
    {16, 0, "Int 2 of 5"},  {16, 1, "Code 128 C"},
    {32, 1, "Code 16A"},    {32, 2, "Code 16B"},    {32, 3, "Code 16C"},   {32, 0, "Code 16 Auto"},
    {34, 0, "None"},        {34, 1, "Aztech Mesa"},
};

int CatalogueEntry(int symbology) { return symbology == 2 ? 1 : symbology; }

std::mutex g_aiLock;
std::array<typAIdef, kAiTableCapacity> g_aiTable{};
LONG g_aiCount = 0;

}  // namespace

const char* SymbologyDisplayName(int symbology) {
  return symbology >= 0 && symbology < kSymbologySlots ? kDisplayNames[static_cast<size_t>(symbology)] : "";
}

void InitSymbologyTables() {
  std::lock_guard<std::mutex> hold(g_aiLock);
  if (g_aiCount >= 1) return;
  LONG count = 0;
  // The library is told how many entries the table holds.
  LoadCd128MultiTable(g_aiTable.data(), &count, kAiTableCapacity);
  g_aiCount = std::clamp<LONG>(count, 0, kAiTableCapacity);
}

std::string GetSubtypeName(int symbology, int subType) {
  const int entry = CatalogueEntry(symbology);
  for (const Subtype& s : kSubtypes)
    if (s.symbology == entry && s.code == subType) return s.name;
  return {};
}

int GetSubtypeCodes(int symbology, std::vector<uint16_t>& out) {
  out.clear();
  const int entry = CatalogueEntry(symbology);
  for (const Subtype& s : kSubtypes)
    if (s.symbology == entry) out.push_back(s.code);
  return static_cast<int>(out.size());
}

int HasSupplement(int symbology, int subType) {
  const bool group = symbology == 5 || symbology == 6 || symbology == 21 || symbology == 22;
  return group && subType > 0 ? 1 : 0;
}

namespace {

struct NameRule {
  const char* exact;              // compared with the text as given
  std::array<const char*, 4> has;  // all must be in the cleaned text (null ends)
  const char* hasNot;
  int symbology;
  int subType;
};

// First match wins. Rules whose symbology depends on "FULLASC" or "MICRO"
// use -2 and -3 and are settled in ParseSymbologyName.
constexpr int kCode39Either = -2;
constexpr int kPdfEither = -3;
constexpr NameRule kNameRules[] = {
    {"B_UPCA_PLUS_2", {"UPCA", "2"}, nullptr, 21, 1},
    {"B_UPCA_PLUS_5", {"UPCA", "5"}, nullptr, 21, 2},
    {"B_UPCA", {"UPCA"}, nullptr, 21, 0},
    {"B_UPCE_PLUS_2", {"UPCE", "2"}, nullptr, 22, 1},
    {"B_UPCE_PLUS_5", {"UPCE", "5"}, nullptr, 22, 2},
    {"B_UPCE", {"UPCE"}, nullptr, 22, 0},
    {"B_UPCSHIP", {"UPCSHIP"}, nullptr, 23, 0},
    {"B_EAN8_PLUS_2", {"EAN8", "2"}, nullptr, 5, 1},
    {"B_EAN8_PLUS_5", {"EAN8", "5"}, nullptr, 5, 2},
    {"B_EAN8", {"EAN8"}, nullptr, 5, 0},
    {"B_EAN13_PLUS_2", {"EAN13", "2"}, nullptr, 6, 1},
    {"B_EAN13_PLUS_5", {"EAN13", "5"}, nullptr, 6, 2},
    {"B_EAN13", {"EAN13"}, nullptr, 6, 0},
    {"B_EAN_128", {"EAN128"}, "UCC", 7, 0},
    {nullptr, {"CODE39", "MOD"}, nullptr, kCode39Either, 1},
    {"B_CD39", {"CODE39"}, nullptr, kCode39Either, 0},
    {"B_128CF1MOD10", {"CODE128C", "F1", "MOD"}, nullptr, 4, 4},
    {"B_CD93", {"CODE93"}, nullptr, 3, 0},
    {"B_CD128A", {"CODE128A"}, nullptr, 4, 1},
    {"B_CD128B", {"CODE128B"}, nullptr, 4, 2},
    {"B_CD128C", {"CODE128C"}, nullptr, 4, 3},
    {"B_CD128AUTO", {"CODE128"}, nullptr, 4, 0},
    {"B_CODABAR", {"CODABAR"}, nullptr, 0, 0},
    {"B_EANUCC13", {"EANUCC13"}, nullptr, 8, 0},
    {"B_EANUCC14", {"EANUCC14"}, nullptr, 9, 0},
    {"B_UCC_128", {"UCC128"}, nullptr, 18, 0},
    {"B_UCC12", {"UCC12"}, nullptr, 17, 0},
    {"B_INT2OF5MOD10", {"INTERLEAVE", "MOD"}, nullptr, 10, 1},
    {"B_INT2OF5", {"INTERLEAVE"}, nullptr, 10, 0},
    {"B_ITF14", {"ITF14"}, nullptr, 11, 0},
    {"B_PLESSEY", {"PLESS"}, nullptr, 12, 0},
    {"B_MSI", {"MSI"}, nullptr, 26, 0},
    {"B_POSTNET", {"POSTNE"}, nullptr, 24, 0},
    {"B_RSS14_COMPOSITE", {"RSS14", "COMPO"}, nullptr, 13, 14},
    {"B_RSS14", {"RSS14"}, nullptr, 13, 0},
    {"B_SSCC18", {"SSCC18"}, nullptr, 15, 0},
    {"B_SSCC14_INT2OF5", {"SSCC14", "INT"}, nullptr, 16, 0},
    {"B_SSCC14_CD128C", {"SCC14", "128"}, nullptr, 16, 1},
    {"B_UCCEAN_128_MULTI", {"UCC", "EAN", "128", "MULTI"}, nullptr, 20, 0},
    {"B_UCC_EAN_128", {"UCCEAN128"}, nullptr, 19, 0},
    {nullptr, {"PDF", "417"}, nullptr, kPdfEither, 0},
    {nullptr, {"MAXICODE"}, nullptr, 28, 0},
    {nullptr, {"DATAMATRIX"}, nullptr, 29, 0},
    {nullptr, {"QRCODE"}, nullptr, 33, 0},
};

bool Matches(const NameRule& rule, const std::string& given, const std::string& clean) {
  if (rule.exact && given == rule.exact) return true;
  for (const char* part : rule.has) {
    if (!part) break;
    if (clean.find(part) == std::string::npos) return false;
  }
  return !(rule.hasNot && clean.find(rule.hasNot) != std::string::npos);
}

}  // namespace

int ParseSymbologyName(const char* name, int* subType) {
  if (subType) *subType = 0;
  if (!name) return -1;
  const std::string given = name;
  std::string clean;
  for (char c : given) {
    if (c == ' ' || c == '-' || c == '/') continue;
    clean += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  for (const NameRule& rule : kNameRules) {
    if (!Matches(rule, given, clean)) continue;
    if (subType) *subType = rule.subType;
    if (rule.symbology == kCode39Either) return clean.find("FULLASC") != std::string::npos ? 2 : 1;
    if (rule.symbology == kPdfEither) return clean.find("MICRO") != std::string::npos ? 31 : 27;
    return rule.symbology;
  }
  return -1;
}

std::span<const typAIdef> GetAiDefinitions() {
  std::lock_guard<std::mutex> hold(g_aiLock);
  return {g_aiTable.data(), static_cast<size_t>(g_aiCount)};
}

const typAIdef* FindAIDefinition(const char* identifier) {
  if (!identifier) return nullptr;
  for (const typAIdef& d : GetAiDefinitions())
    if (std::strncmp(d.identifier, identifier, sizeof d.identifier) == 0) return &d;
  return nullptr;
}
