// Appearance keys: a text that is equal for two fields exactly when they
// print the same. Every number is followed by a separator, and strings escape
// the separator, so two different fields can never run together into one key;
// everything that changes the print goes in (the background colour, fonts,
// 2-D sizes and levels, an image's file, its size and time, and its settings).
#include <sys/stat.h>

#include "fields/model/field_kinds.h"

namespace {

void Num(AString& out, long long v) {
  AString n;
  n.Format("%llX@", v);
  out += n;
}

// The text narrowed, with '\' and '@' escaped, then '@'.
void Text(AString& out, const AString& s) {
  AString narrow = s;
  if (narrow.IsWide()) narrow.ConvertToMultiByte();
  for (int i = 0; i < narrow.GetLength(); ++i) {
    const char c = narrow.GetData()[i];
    if (c == '@' || c == '\\') out += '\\';
    out += c;
  }
  out += '@';
}

void Font(AString& out, const LOGFONTA& f) {
  for (long long v : {static_cast<long long>(f.lfHeight), static_cast<long long>(f.lfWidth),
                      static_cast<long long>(f.lfEscapement), static_cast<long long>(f.lfOrientation),
                      static_cast<long long>(f.lfWeight), static_cast<long long>(f.lfItalic),
                      static_cast<long long>(f.lfUnderline), static_cast<long long>(f.lfStrikeOut),
                      static_cast<long long>(f.lfCharSet), static_cast<long long>(f.lfOutPrecision),
                      static_cast<long long>(f.lfClipPrecision), static_cast<long long>(f.lfQuality),
                      static_cast<long long>(f.lfPitchAndFamily)})
    Num(out, v);
  Text(out, AString(f.lfFaceName));
}

void Border(AString& out, const BdrData& b) {
  out += "Bdr";
  for (int v : {b.style, b.width, b.roundEnds, b.color}) Num(out, v);
}

}  // namespace

void CField::GetAppearanceKey(AString& out) const {
  out = "-";
  for (long long v : {static_cast<long long>(kind), static_cast<long long>(width), static_cast<long long>(height),
                      static_cast<long long>(rotation), static_cast<long long>(foreColor),
                      static_cast<long long>(backColor), static_cast<long long>(inverse)})
    Num(out, v);
}

void CLineField::GetAppearanceKey(AString& out) const {
  CField::GetAppearanceKey(out);
  out += "Ln";
  Border(out, line);
}

void CBoxField::GetAppearanceKey(AString& out) const {
  CField::GetAppearanceKey(out);
  out += "Bx";
  Num(out, horizontalLineWidth);
  Num(out, verticalLineWidth);
}

void CEllipseField::GetAppearanceKey(AString& out) const {
  CField::GetAppearanceKey(out);
  out += "RR";
  Border(out, line);
  Num(out, cornerRadius);
  Num(out, shapeFlags);
}

void CTextField::GetAppearanceKey(AString& out) const {
  CField::GetAppearanceKey(out);
  out += "Tx";
  Text(out, data);
  Text(out, prefix);
  Text(out, fontVariation);
  Font(out, logFont);
  Num(out, useFormatTemplate);
  Text(out, formatTemplate);
  for (int v : {int{numberFormat}, int{currencyFormat}, int{decimalPlaces}, int{showSign}, int{tabSpaces}, int{windowsFont}})
    Num(out, v);
}

void CParagraphField::GetAppearanceKey(AString& out) const {
  CField::GetAppearanceKey(out);
  out += "Prph";
  Text(out, data);
  Text(out, fontVariation);
  Font(out, logFont);
  Num(out, static_cast<long long>(lineSpacing * 1000.0));
  for (int v : {wrapWidth, static_cast<int>(wordWrap), static_cast<int>(fitFont), static_cast<int>(maxLines),
                static_cast<int>(tabSpaces), indent})
    Num(out, v);
}

void CImageField::GetAppearanceKey(AString& out) const {
  CField::GetAppearanceKey(out);
  out += "Im";
  Text(out, fileName);
  struct stat st;
  if (!fileName.IsEmpty() && ::stat(fileName.GetData(), &st) == 0) {
    Num(out, static_cast<long long>(st.st_size));
    Num(out, static_cast<long long>(st.st_mtim.tv_sec));
    Num(out, static_cast<long long>(st.st_mtim.tv_nsec));
  } else {
    out += "none@";
  }
  for (int v : {static_cast<int>(picture.pictureOption), static_cast<int>(picture.mirror),
                static_cast<int>(picture.ditherMethod), static_cast<int>(picture.invert), picture.lightness,
                picture.contrast, static_cast<int>(pictureMode)})
    Num(out, v);
}

void CRtfField::GetAppearanceKey(AString& out) const {
  CField::GetAppearanceKey(out);
  out += "Rtf";
  Text(out, rtfFile);
  Num(out, fitFont);
  Num(out, fontSizeStep);
}

void CBarcodeField::GetAppearanceKey(AString& out) const {
  CField::GetAppearanceKey(out);
  out += "Bc";
  Text(out, data);
  Text(out, dataAlt);
  for (long long v :
       {static_cast<long long>(symbology), static_cast<long long>(useHibc), static_cast<long long>(hibcForm),
        static_cast<long long>(hrAbove), static_cast<long long>(designerDrawsText), static_cast<long long>(subType),
        static_cast<long long>(barHeight), static_cast<long long>(showHr), static_cast<long long>(narrowBar),
        static_cast<long long>(ratio), static_cast<long long>(addMod10), static_cast<long long>(mod10Start),
        static_cast<long long>(itfNoSideBearers), static_cast<long long>(itfBearerFactor),
        static_cast<long long>(itfQuietFactor), static_cast<long long>(textShowsStars),
        static_cast<long long>(textShowsStartStop), static_cast<long long>(codabarStart),
        static_cast<long long>(codabarStop), static_cast<long long>(codabarUpper),
        static_cast<long long>(aiParentheses), static_cast<long long>(moduleSize2D),
        static_cast<long long>(rowHeight2D), static_cast<long long>(symbolRows),
        static_cast<long long>(symbolColumns), static_cast<long long>(pdfSecurity),
        static_cast<long long>(pdfTruncated), static_cast<long long>(qrLevel), static_cast<long long>(microPdfMode),
        static_cast<long long>(maxiMode), static_cast<long long>(hrSeparate)})
    Num(out, v);
  for (const AString& s : upsField) Text(out, s);
  for (size_t i = 0; i < aiCode.size(); ++i) {
    Text(out, aiCode[i]);
    Text(out, aiData[i]);
  }
  if (showHr) {
    for (long long v : {static_cast<long long>(textShowsCheck), static_cast<long long>(useTextMask),
                        static_cast<long long>(textGap), static_cast<long long>(textAlign),
                        static_cast<long long>(textHeight), static_cast<long long>(textWidth)})
      Num(out, v);
    Text(out, textMask);
    Text(out, hrFontFace);
    Font(out, hrLogFont);
  }
}
