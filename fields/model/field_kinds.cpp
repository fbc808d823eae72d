#include "fields/model/field_kinds.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "foundation/settings/process_settings.h"
#include "image/bitmap/plwinbmp.h"

LOGFONTA MakeFieldLogFont(LONG height, BYTE quality) {
  LOGFONTA f{};
  f.lfHeight = height;
  f.lfWeight = 400;
  f.lfOutPrecision = 4;
  f.lfClipPrecision = 0;
  f.lfQuality = quality;
  std::strncpy(f.lfFaceName, "Arial", LF_FACESIZE - 1);
  return f;
}

// ---- Line, box, ellipse ----------------------------------------------------

CLineField::CLineField() : CField(FieldKind::kLine, 760) {
  width = 1000;
  height = 220;
}

CBoxField::CBoxField() : CField(FieldKind::kBox, 744) {}

CEllipseField::CEllipseField() : CField(FieldKind::kEllipse, 768) { foreColor = 0xFFFFFF; }

int CEllipseField::GetResizeMode(int*) const { return (shapeFlags & kShapeCircle) ? kResizeCorners : kResizeAny; }

// ---- Text and paragraph ----------------------------------------------------

CTextField::CTextField()
    : CField(FieldKind::kText, 1372), fontName("Arial"), logFont(MakeFieldLogFont(8, 4)),
      tabSpaces(static_cast<int16_t>(EffectiveTabStops())) {
  maxChars = 12;
}

int CTextField::StashData() {
  NewStash().savedData = data;
  return 1;
}

int CTextField::RestoreData() {
  if (!savedData) return 0;
  data = savedData->savedData;
  return CField::RestoreData();
}

CParagraphField::CParagraphField(int rich)
    : CField(FieldKind::kParagraph, 1412), richFlag(static_cast<uint8_t>(rich)), fontName("Arial"),
      logFont(MakeFieldLogFont(8, 4)), tabSpaces(static_cast<int16_t>(EffectiveTabStops())) {
  picture.owner = this;
}

int CParagraphField::StashData() {
  NewStash().savedData = data;
  return 1;
}

int CParagraphField::RestoreData() {
  if (!savedData) return 0;
  data = savedData->savedData;
  return CField::RestoreData();
}

// ---- Image, OLE, RTF -------------------------------------------------------

CImageField::CImageField() : CField(FieldKind::kImage, 1372) { picture.owner = this; }

CImageField::~CImageField() {
  // Only a picture file this field made itself (a conversion) goes with it.
  if (deleteFileOnDestroy && !fileName.IsEmpty()) {
    struct stat st;
    if (::stat(fileName.GetData(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(fileName.GetData());
  }
}

int CImageField::StashData() {
  CFieldSavedData& s = NewStash();
  s.savedPictureFormat = pictureFormat;
  s.savedFileName = fileName;
  return 1;
}

int CImageField::RestoreData() {
  if (!savedData) return 0;
  pictureFormat = savedData->savedPictureFormat;
  fileName = savedData->savedFileName;
  return CField::RestoreData();
}

int CImageField::GetResizeMode(int* second) const {
  if (second) *second = 1;
  if (pictureMode == kPictureOriginalSize) return kResizeFixed;
  return pictureMode == kPictureAnyAspect ? kResizeAny : kResizeCorners;
}

COleField::COleField() : CField(FieldKind::kOle, kBaseRecordSize) { picture.owner = this; }

CRtfField::CRtfField() : CField(FieldKind::kRtf, 1300) {
  picture.owner = this;
  width = 2000;
  maxChars = 0x7FFF;
}

int CRtfField::StashData() {
  NewStash().savedData = rtfFile;
  return 1;
}

int CRtfField::RestoreData() {
  if (!savedData) return 0;
  rtfFile = savedData->savedData;
  return CField::RestoreData();
}

// ---- Barcode -----------------------------------------------------------------

CBarcodeField::CBarcodeField(int dpi)
    : CField(FieldKind::kBarcode, 1666), hrFontFace("Arial"), hrLogFont(MakeFieldLogFont(5, 2)) {
  maxChars = 12;
  if (dpi > 0) moduleSize2D = static_cast<int16_t>((dpi * 12 + 500) / 1000);
  rowHeight2D = static_cast<int16_t>(3 * moduleSize2D);
}

CBarcodeField::~CBarcodeField() = default;

void CBarcodeField::SetDefaults() {
  symbology = 1;
  subType = 1;
  useHibc = 1;
  hibcForm = 0;
  textShowsCheck = 1;
}

void CBarcodeField::FreeCachedBitmap() { cachedBitmap.reset(); }

namespace {

// The HIBC format codes live in UPS slots 3 and 4 while useHibc is set.
bool IsHibcSlot(const CBarcodeField& f, size_t i) { return f.useHibc && (i == 3 || i == 4); }

template <size_t N>
void BackupSources(std::array<uint8_t, N>& live, std::array<uint8_t, N>& backup, int mode,
                   bool (*keep)(const CBarcodeField&, size_t), const CBarcodeField& f) {
  for (size_t i = 0; i < N; ++i) {
    if (keep && keep(f, i)) continue;
    if (mode == 0) {
      backup[i] = live[i];
    } else if (mode == 1) {
      live[i] = backup[i];
    } else if (live[i] == ToShort(DataSourceType::kPromptBeforePrint)) {
      live[i] = 0;
    }
  }
}

}  // namespace

void CBarcodeField::BackupAiSources(int mode) { BackupSources(aiSource, aiSourceBackup, mode, nullptr, *this); }

void CBarcodeField::BackupUpsSources(int mode) { BackupSources(upsSource, upsSourceBackup, mode, IsHibcSlot, *this); }

int16_t CBarcodeField::SetDataSourceType(int16_t type, int keepOld) {
  for (size_t i = 0; i < aiSource.size(); ++i) {
    if (keepOld) aiSourceBackup[i] = aiSource[i];
    aiSource[i] = static_cast<uint8_t>(type);
  }
  for (size_t i = 0; i < upsSource.size(); ++i) {
    if (IsHibcSlot(*this, i)) continue;
    if (keepOld) upsSourceBackup[i] = upsSource[i];
    upsSource[i] = static_cast<uint8_t>(type);
  }
  if (savedData) savedData->savedMaxiMode = maxiMode;
  return CField::SetDataSourceType(type, keepOld);
}

int CBarcodeField::StashData() {
  CFieldSavedData& s = NewStash();
  s.savedData = data;
  s.savedDataAlt = dataAlt;
  s.savedHrResult = hrResult;
  s.aiSources = aiSource;
  s.aiSourcesBackup = aiSourceBackup;
  s.aiCodes = aiCode;
  s.aiData = aiData;
  s.savedMaxiMode = maxiMode;
  s.upsSources = upsSource;
  s.upsSourcesBackup = upsSourceBackup;
  s.upsFields = upsField;
  return 1;
}

int CBarcodeField::RestoreData() {
  if (!savedData) return 0;
  const CFieldSavedData& s = *savedData;
  data = s.savedData;
  dataAlt = s.savedDataAlt;
  hrResult = s.savedHrResult;
  aiSource = s.aiSources;
  aiSourceBackup = s.aiSourcesBackup;
  aiCode = s.aiCodes;
  aiData = s.aiData;
  maxiMode = s.savedMaxiMode;
  upsSource = s.upsSources;
  upsSourceBackup = s.upsSourcesBackup;
  upsField = s.upsFields;
  return CField::RestoreData();
}

int CBarcodeField::GetResizeMode(int* second) const {
  // MaxiCode (28) and symbology 24 have one fixed size.
  if (symbology == 24 || symbology == 28) return kResizeFixed;
  return CField::GetResizeMode(second);
}

// ---- Construction by kind ----------------------------------------------------

std::unique_ptr<CField> NewFieldOfKind(int kind) {
  switch (static_cast<FieldKind>(kind)) {
    case FieldKind::kLine: return std::make_unique<CLineField>();
    case FieldKind::kBox: return std::make_unique<CBoxField>();
    case FieldKind::kText: return std::make_unique<CTextField>();
    case FieldKind::kBarcode: return std::make_unique<CBarcodeField>();
    case FieldKind::kImage: return std::make_unique<CImageField>();
    case FieldKind::kOle: return std::make_unique<COleField>();
    case FieldKind::kParagraph: return std::make_unique<CParagraphField>();
    case FieldKind::kRtf: return std::make_unique<CRtfField>();
    case FieldKind::kEllipse: return std::make_unique<CEllipseField>();
    case FieldKind::kBorder: break;
  }
  return nullptr;
}
