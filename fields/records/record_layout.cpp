// The offsets of every member in the field records. A table is checked when
// it is compiled: its slots lie in order, do not overlap and end inside the
// record.
#include "fields/records/record_layout.h"

#include <array>

#include "fields/model/field_kinds.h"

namespace {

constexpr bool SlotsFit(std::span<const RecordSlot> slots, uint16_t first, uint16_t end) {
  uint32_t at = first;
  for (const RecordSlot& s : slots) {
    if (s.offset < at) return false;
    at = uint32_t{s.offset} + s.width;
  }
  return at <= end;
}

constexpr std::array kBaseSlots = {
    FIELD_SLOT_WRITTEN_ONLY(CField, 0, recordSize),
    FIELD_SLOT_WRITTEN_ONLY(CField, 2, kind),
    FIELD_SLOT_WRITTEN_ONLY(CField, 4, serialId),
    FIELD_SLOT(CField, 8, position),
    FIELD_SLOT(CField, 24, width),
    FIELD_SLOT(CField, 28, height),
    FIELD_SLOT(CField, 32, rotation),
    FIELD_SLOT(CField, 36, savedWidth),
    FIELD_SLOT(CField, 40, savedHeight),
    FIELD_SLOT(CField, 44, savedRotation),
    FIELD_SLOT(CField, 48, savedOffset),
    FIELD_SLOT(CField, 56, offset),
    FIELD_SLOT(CField, 64, foreColor),
    FIELD_SLOT(CField, 68, backColor),
    FIELD_SLOT(CField, 72, styleFlags),
    FIELD_SLOT(CField, 76, encodeResult),
    FIELD_SLOT(CField, 88, baseSpare1),
    FIELD_SLOT(CField, 92, doNotPrint),
    FIELD_SLOT(CField, 93, lockPosition),
    FIELD_SLOT(CField, 94, inverse),
    FIELD_SLOT(CField, 95, printFlag1),
    FIELD_SLOT(CField, 96, useFolder),
    FIELD_SLOT(CField, 97, printFlag2),
    FIELD_SLOT(CField, 98, resetAfterPrint),
    FIELD_SLOT(CField, 100, dataLanguage),
    FIELD_SLOT(CField, 102, dataSourceType),
    FIELD_SLOT(CField, 104, previousDataSourceType),
    FIELD_SLOT(CField, 122, maxChars),
    FIELD_SLOT(CField, 124, minChars),
    FIELD_SLOT(CField, 126, anchor),
    FIELD_SLOT(CField, 140, dbColumnType),
    FIELD_SLOT(CField, 144, baseSpare2),
    FIELD_SLOT(CField, 148, baseSpare3),
    FIELD_SLOT(CField, 152, baseSpare4),
    FIELD_SLOT(CField, 154, baseSpare5),
    FIELD_SLOT(CField, 156, printLink),
    FIELD_SLOT(CField, 160, baseSpare6),
    FIELD_SLOT(CField, 164, baseSpare7),
    FIELD_SLOT(CField, 168, baseSpare8),
    FIELD_SLOT(CField, 172, shortOptions),
    FIELD_SLOT(CField, 184, intOptions),
    FIELD_SLOT(CField, 218, stringsDelimiter),
};
static_assert(SlotsFit(kBaseSlots, 0, kBaseRecordSize));

constexpr std::array kBaseStrings = {
    FIELD_STRING(CField, kW, name),         FIELD_STRING(CField, kS, prompt),     FIELD_STRING(CField, kW, listFile),
    FIELD_STRING(CField, kW, counterFile),  FIELD_STRING(CField, kW, dbSource),   FIELD_STRING(CField, kW, dbTable),
    FIELD_STRING(CField, kW, dbColumn),     FIELD_STRING(CField, kW, stringsFile), FIELD_STRING(CField, kW, baseSpareText),
};

constexpr std::array kLineSlots = {
    FIELD_SLOT(CLineField, 736, line),
    FIELD_SLOT(CLineField, 752, lineSpare1),
    FIELD_SLOT(CLineField, 756, lineSpare2),
};
static_assert(SlotsFit(kLineSlots, kBaseRecordSize, 760));

constexpr std::array kBoxSlots = {
    FIELD_SLOT(CBoxField, 736, horizontalLineWidth),
    FIELD_SLOT(CBoxField, 740, verticalLineWidth),
};
static_assert(SlotsFit(kBoxSlots, kBaseRecordSize, 744));

constexpr std::array kEllipseSlots = {
    FIELD_SLOT(CEllipseField, 736, line),          FIELD_SLOT(CEllipseField, 752, cornerRadius),
    FIELD_SLOT(CEllipseField, 756, shapeFlags),    FIELD_SLOT(CEllipseField, 760, ellipseSpare1),
    FIELD_SLOT(CEllipseField, 764, ellipseSpare2),
};
static_assert(SlotsFit(kEllipseSlots, kBaseRecordSize, 768));

constexpr std::array kTextSlots = {
    FIELD_SLOT(CTextField, 736, windowsFont),
    FIELD_SLOT(CTextField, 742, fontSpare1),
    FIELD_SLOT(CTextField, 744, fontSpare2),
    FIELD_SLOT(CTextField, 746, fntId),
    FIELD_SLOT(CTextField, 748, logFont),
    FIELD_SLOT(CTextField, 820, tabSpaces),
    FIELD_SLOT(CTextField, 834, increment),
    FIELD_SLOT(CTextField, 838, duplicates),
    FIELD_SLOT(CTextField, 842, useFormatTemplate),
    FIELD_SLOT(CTextField, 843, rollover),
    FIELD_SLOT(CTextField, 844, counterType),
    FIELD_SLOT(CTextField, 845, customHR),
    FIELD_SLOT(CTextField, 846, textSpare1),
    FIELD_SLOT(CTextField, 850, clockSource),
    FIELD_SLOT(CTextField, 852, dateOffset),
    FIELD_SLOT(CTextField, 856, dateFormat),
    FIELD_SLOT(CTextField, 858, timeFormat),
    FIELD_SLOT(CTextField, 1116, currencyFormat),
    FIELD_SLOT(CTextField, 1117, numberFormat),
    FIELD_SLOT(CTextField, 1118, decimalPlaces),
    FIELD_SLOT(CTextField, 1119, showSign),
};
static_assert(SlotsFit(kTextSlots, kBaseRecordSize, 1372));

constexpr std::array kTextStrings = {
    FIELD_STRING(CTextField, kW, fontName),        FIELD_STRING(CTextField, kW, fontVariation),
    FIELD_STRING(CTextField, kS, data),            FIELD_STRING(CTextField, kW, formatTemplate),
    FIELD_STRING(CTextField, kW, offsetUnit),      FIELD_STRING(CTextField, kW, rolloverLimit),
    FIELD_STRING(CTextField, kW, rolloverResetTo), FIELD_STRING_FROM(CTextField, kS, prefix, 3),
};

constexpr std::array kParagraphSlots = {
    FIELD_SLOT(CParagraphField, 780, richFlag),    FIELD_SLOT(CParagraphField, 786, fontSpare1),
    FIELD_SLOT(CParagraphField, 788, fontSpare2),  FIELD_SLOT(CParagraphField, 790, fntId),
    FIELD_SLOT(CParagraphField, 792, logFont),     FIELD_SLOT(CParagraphField, 864, clockSource),
    FIELD_SLOT(CParagraphField, 866, dateOffset),  FIELD_SLOT(CParagraphField, 870, dateFormat),
    FIELD_SLOT(CParagraphField, 872, timeFormat),  FIELD_SLOT(CParagraphField, 874, lineSpacing),
    FIELD_SLOT(CParagraphField, 882, wrapWidth),   FIELD_SLOT(CParagraphField, 886, wordWrap),
    FIELD_SLOT(CParagraphField, 887, fitFont),     FIELD_SLOT(CParagraphField, 888, maxLines),
    FIELD_SLOT(CParagraphField, 890, paragraphMinChars), FIELD_SLOT(CParagraphField, 892, lineCount),
    FIELD_SLOT(CParagraphField, 894, tabSpaces),   FIELD_SLOT(CParagraphField, 896, indent),
};
static_assert(SlotsFit(kParagraphSlots, kBaseRecordSize, 1412));

constexpr std::array kParagraphStrings = {
    FIELD_STRING(CParagraphField, kW, fontName),
    FIELD_STRING(CParagraphField, kW, fontVariation),
    FIELD_STRING(CParagraphField, kS, data),
    FIELD_STRING(CParagraphField, kW, offsetUnit),
};

constexpr std::array kImageSlots = {
    FIELD_SLOT_WRITTEN_ONLY(CImageField, 748, picture.plainPicture),
    FIELD_SLOT(CImageField, 749, picture.pictureOption),
    FIELD_SLOT(CImageField, 750, picture.mirror),
    FIELD_SLOT(CImageField, 751, picture.ditherMethod),
    FIELD_SLOT(CImageField, 752, picture.invert),
    FIELD_SLOT(CImageField, 754, picture.lightness),
    FIELD_SLOT(CImageField, 758, picture.contrast),
    FIELD_SLOT(CImageField, 780, pictureFormat),
    // Only the field that made the picture file deletes it: a copy or a
    // field read back never takes the flag.
    FIELD_SLOT_WRITTEN_ONLY(CImageField, 782, deleteFileOnDestroy),
    FIELD_SLOT(CImageField, 788, imageGroup),
    FIELD_SLOT(CImageField, 792, pictureMode),
    FIELD_SLOT_WRITTEN_ONLY(CImageField, 793, convertedFlag),
    FIELD_SLOT(CImageField, 794, imageSpare1),
};
static_assert(SlotsFit(kImageSlots, kBaseRecordSize, 1372));

constexpr std::array kImageStrings = {
    FIELD_STRING(CImageField, kW, fileName),
    FIELD_STRING(CImageField, kW, data),
};

constexpr std::array kRtfSlots = {
    FIELD_SLOT(CRtfField, 784, fitFont),
    FIELD_SLOT(CRtfField, 786, fontSizeStep),
};
static_assert(SlotsFit(kRtfSlots, kBaseRecordSize, 1300));

constexpr std::array kRtfStrings = {FIELD_STRING(CRtfField, kW, rtfFile)};

constexpr std::array kBarcodeSlots = {
    FIELD_SLOT(CBarcodeField, 736, hrSeparate),
    FIELD_SLOT(CBarcodeField, 738, symbology),
    FIELD_SLOT(CBarcodeField, 740, subType),
    FIELD_SLOT(CBarcodeField, 742, barHeight),
    FIELD_SLOT(CBarcodeField, 746, padRight),
    FIELD_SLOT(CBarcodeField, 750, padRightTarget),
    FIELD_SLOT(CBarcodeField, 754, increment),
    FIELD_SLOT(CBarcodeField, 758, duplicates),
    FIELD_SLOT(CBarcodeField, 762, barcodeSpare1),
    FIELD_SLOT(CBarcodeField, 774, rollover),
    FIELD_SLOT(CBarcodeField, 775, counterType),
    FIELD_SLOT(CBarcodeField, 776, showHr),
    FIELD_SLOT(CBarcodeField, 777, useTextMask),
    FIELD_SLOT(CBarcodeField, 778, textShowsCheck),
    FIELD_SLOT_WRITTEN_ONLY(CBarcodeField, 779, barcodeSpare2),
    FIELD_SLOT(CBarcodeField, 780, designerDrawsText),
    FIELD_SLOT(CBarcodeField, 781, textShowsStars),
    FIELD_SLOT(CBarcodeField, 782, textShowsStartStop),
    FIELD_SLOT(CBarcodeField, 783, codabarStart),
    FIELD_SLOT(CBarcodeField, 784, codabarStop),
    FIELD_SLOT(CBarcodeField, 785, codabarUpper),
    FIELD_SLOT(CBarcodeField, 786, itfNoSideBearers),
    FIELD_SLOT(CBarcodeField, 787, itfBearerFactor),
    FIELD_SLOT(CBarcodeField, 788, itfQuietFactor),
    FIELD_SLOT(CBarcodeField, 789, addMod10),
    FIELD_SLOT(CBarcodeField, 790, barcodeSpare3),
    FIELD_SLOT(CBarcodeField, 791, aiParentheses),
    FIELD_SLOT(CBarcodeField, 792, mod10Start),
    FIELD_SLOT(CBarcodeField, 796, textAlign),
    FIELD_SLOT(CBarcodeField, 800, hrAbove),
    FIELD_SLOT(CBarcodeField, 804, narrowBar),
    FIELD_SLOT(CBarcodeField, 806, ratio),
    FIELD_SLOT(CBarcodeField, 808, barcodeSpare4),
    FIELD_SLOT(CBarcodeField, 810, suppX),
    FIELD_SLOT(CBarcodeField, 814, suppBarHeight),
    FIELD_SLOT(CBarcodeField, 818, suppWidth),
    FIELD_SLOT(CBarcodeField, 822, suppGap),
    FIELD_SLOT(CBarcodeField, 826, guardExtra),
    FIELD_SLOT(CBarcodeField, 830, textHeight),
    FIELD_SLOT(CBarcodeField, 834, textGap),
    FIELD_SLOT(CBarcodeField, 838, textWidth),
    FIELD_SLOT(CBarcodeField, 842, hrWidth),
    FIELD_SLOT_WRITTEN_ONLY(CBarcodeField, 846, threeModules),
    FIELD_SLOT(CBarcodeField, 848, textLeft),
    FIELD_SLOT(CBarcodeField, 850, textRight),
    FIELD_SLOT(CBarcodeField, 852, outerDigitScale),
    FIELD_SLOT(CBarcodeField, 868, hrGapWidth),
    FIELD_SLOT(CBarcodeField, 872, hrFontSet),
    FIELD_SLOT(CBarcodeField, 878, hrFontSpare1),
    FIELD_SLOT(CBarcodeField, 880, hrFontSpare2),
    FIELD_SLOT(CBarcodeField, 882, hrFntId),
    FIELD_SLOT(CBarcodeField, 884, hrLogFont),
    FIELD_SLOT(CBarcodeField, 968, bearerWidth),
    FIELD_SLOT(CBarcodeField, 972, aiSource),
    FIELD_SLOT(CBarcodeField, 978, aiSourceBackup),
    FIELD_SLOT(CBarcodeField, 1032, moduleSize2D),
    FIELD_SLOT(CBarcodeField, 1034, rowHeight2D),
    FIELD_SLOT(CBarcodeField, 1036, symbolRows),
    FIELD_SLOT(CBarcodeField, 1038, symbolColumns),
    FIELD_SLOT(CBarcodeField, 1040, pdfSecurity),
    FIELD_SLOT(CBarcodeField, 1042, barcodeSpare5),
    FIELD_SLOT(CBarcodeField, 1044, pdfTruncated),
    FIELD_SLOT_WRITTEN_ONLY(CBarcodeField, 1046, barcodeSpare6),
    FIELD_SLOT(CBarcodeField, 1050, qrLevel),
    FIELD_SLOT(CBarcodeField, 1052, code49RowHeight),
    FIELD_SLOT(CBarcodeField, 1056, microPdfMode),
    FIELD_SLOT(CBarcodeField, 1058, maxiMode),
    FIELD_SLOT(CBarcodeField, 1059, upsSource),
    FIELD_SLOT(CBarcodeField, 1072, upsSourceBackup),
    FIELD_SLOT(CBarcodeField, 1138, clockSource),
    FIELD_SLOT(CBarcodeField, 1140, dateOffset),
    FIELD_SLOT(CBarcodeField, 1144, dateFormat),
    FIELD_SLOT(CBarcodeField, 1146, timeFormat),
    FIELD_SLOT_WRITTEN_ONLY(CBarcodeField, 1152, cacheIsPrint),
    FIELD_SLOT(CBarcodeField, 1282, useHibc),
    FIELD_SLOT(CBarcodeField, 1283, hibcForm),
};
static_assert(SlotsFit(kBarcodeSlots, kBaseRecordSize, 1666));

constexpr std::array kBarcodeStrings = {
    FIELD_STRING(CBarcodeField, kS, data),         FIELD_STRING(CBarcodeField, kS, dataAlt),
    FIELD_STRING(CBarcodeField, kW, hrFontFace),   FIELD_STRING(CBarcodeField, kW, hrFontVariation),
    FIELD_STRING(CBarcodeField, kS, hrResult),     FIELD_STRING(CBarcodeField, kW, textMask),
    FIELD_STRING(CBarcodeField, kW, offsetUnit),   FIELD_STRING(CBarcodeField, kW, rolloverLimit),
    FIELD_STRING(CBarcodeField, kW, rolloverResetTo),
    FIELD_STRING(CBarcodeField, kW, upsField[0]),  FIELD_STRING(CBarcodeField, kW, upsField[1]),
    FIELD_STRING(CBarcodeField, kW, upsField[2]),  FIELD_STRING(CBarcodeField, kW, upsField[3]),
    FIELD_STRING(CBarcodeField, kW, upsField[4]),  FIELD_STRING(CBarcodeField, kW, upsField[5]),
    FIELD_STRING(CBarcodeField, kW, upsField[6]),  FIELD_STRING(CBarcodeField, kW, upsField[7]),
    FIELD_STRING(CBarcodeField, kW, upsField[8]),  FIELD_STRING(CBarcodeField, kW, upsField[9]),
    FIELD_STRING(CBarcodeField, kW, upsField[10]), FIELD_STRING(CBarcodeField, kW, upsField[11]),
    FIELD_STRING(CBarcodeField, kW, upsField[12]),
    FIELD_STRING(CBarcodeField, kW, aiCode[0]),    FIELD_STRING(CBarcodeField, kW, aiData[0]),
    FIELD_STRING(CBarcodeField, kW, aiCode[1]),    FIELD_STRING(CBarcodeField, kW, aiData[1]),
    FIELD_STRING(CBarcodeField, kW, aiCode[2]),    FIELD_STRING(CBarcodeField, kW, aiData[2]),
    FIELD_STRING(CBarcodeField, kW, aiCode[3]),    FIELD_STRING(CBarcodeField, kW, aiData[3]),
    FIELD_STRING(CBarcodeField, kW, aiCode[4]),    FIELD_STRING(CBarcodeField, kW, aiData[4]),
    FIELD_STRING(CBarcodeField, kW, aiCode[5]),    FIELD_STRING(CBarcodeField, kW, aiData[5]),
};

constexpr std::array<FieldRecordLayout, 10> kLayouts = {{
    {FieldKind::kLine, 760, kLineSlots, {}},
    {FieldKind::kBox, 744, kBoxSlots, {}},
    {FieldKind::kText, 1372, kTextSlots, kTextStrings},
    {FieldKind::kBarcode, 1666, kBarcodeSlots, kBarcodeStrings},
    {FieldKind::kImage, 1372, kImageSlots, kImageStrings},
    {FieldKind::kOle, kBaseRecordSize, {}, {}},
    {FieldKind::kParagraph, 1412, kParagraphSlots, kParagraphStrings},
    {FieldKind::kRtf, 1300, kRtfSlots, kRtfStrings},
    {FieldKind::kBorder, 0, {}, {}},
    {FieldKind::kEllipse, 768, kEllipseSlots, {}},
}};

}  // namespace

std::span<const RecordSlot> BaseRecordSlots() { return kBaseSlots; }
std::span<const StringSlot> BaseRecordStrings() { return kBaseStrings; }

const FieldRecordLayout* RecordLayoutFor(int kind) {
  if (kind < 0 || kind >= static_cast<int>(kLayouts.size()) || kind == ToWord(FieldKind::kBorder)) return nullptr;
  return &kLayouts[static_cast<size_t>(kind)];
}

void CopySlots(std::span<const RecordSlot> slots, CField& dst, const CField& src) {
  for (const RecordSlot& s : slots)
    if (s.copy == SlotCopy::kCopied) s.copyFrom(dst, src);
}

void CopyStrings(std::span<const StringSlot> strings, CField& dst, const CField& src) {
  for (const StringSlot& s : strings) s.member(dst) = s.member(const_cast<CField&>(src));
}
