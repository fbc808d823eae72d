// Cloning, deleting and re-measuring fields, and turning a paragraph into an
// image field backed by a bitmap file.
#pragma once

#include <memory>

#include "fields/model/field_kinds.h"
#include "fields/model/field_list.h"
#include "fields/services/design_view.h"

class CLabelSetup;

// A copy of the field with every setting and string; null for OLE and the
// border kind. The copy's pictures are its own. With keepId, text, barcode,
// image, paragraph and RTF copies take the source's serialId.
std::unique_ptr<CField> CloneField(const CField* src, int dim, int keepId);
CFieldList CloneFieldList(const CFieldList& list, int dim);
void DeleteField(std::unique_ptr<CField> field);
void DeleteFieldList(CFieldList& list);

// Re-measures every field keeping its bounding-box centre; image fields in
// picture modes 0 and 1 keep their size and drop their picture cache. With a
// view the old and new rectangles are repainted; with keepInside a field
// wholly off the label is brought back.
int RemeasureFieldList(CFieldList& list, const CLabelSetup& setup, IDesignView* view, int keepInside);

// Once a layout that refers to them is saved, converted pictures belong to
// the layout: their fields no longer delete the files. Returns how many
// fields gave the flag up.
int KeepConvertedPictureFiles(CFieldList& list);

// The first free name "<name>_Cvt<9 digits>.bmp" in the image folder.
AString MakeConvertedImageName(const CField& field);
// A new image field showing the paragraph, its picture written to fileName
// as a BMP file that the image field deletes with itself; null when the
// picture cannot be made or the file cannot be written.
std::unique_ptr<CImageField> ConvertParagraphFieldToImage(const CLabelSetup& setup, CParagraphField& field,
                                                          const AString& fileName);
// A new image field showing the rich text at the label's resolution, written
// like the paragraph's; null when the text or the file fails. A field linked
// to a prompt first takes the height of its text.
std::unique_ptr<CImageField> ConvertRtfFieldToImage(const CLabelSetup& setup, CRtfField& field,
                                                    const AString& fileName);
// OLE objects do not exist in this build: null.
std::unique_ptr<CImageField> ConvertOleFieldToImage(const CLabelSetup& setup, COleField& field,
                                                    const AString& fileName, int deleteFileFlag);
