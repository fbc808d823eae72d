// The data-source types of fields (fields/model/field_kind.h): their list order, which field
// may take which source, the value of a Date or Time field, the conversion of
// a field's text to the code page of its data language before printing, and
// the service table the field code reaches the data sources through.
#pragma once

#include "fields/model/field.h"
#include "fields/services/label_setup.h"
#include "foundation/string/astring.h"

// The types in the order the source lists offer them, ended by -1.
const int16_t* DataSourceListOrder();

// Whether a symbology (with its sub-type) can carry a date or a time.
int CanSymbologyCarryDate(int symbology, int subType);
int IsDataSourceAllowed(int type, const CField& field);
int DataSourceHasStoredText(int type);
int IsTextOrLinearBarcodeField(const CField& field);
// The language kind of the field's font character set (the user interface's
// for kinds without a font).
int GetFieldFontCodePage(const CField& field);
// Converts a text, barcode or paragraph field's UTF-16 data to the code page
// of its data language before printing: 1 when converted. Nothing changes
// when noConversion is set, the data is not UTF-16, or (for text and
// paragraph fields on a printer kind other than 40) a data language is set.
int ConvertFieldDataCodePage(CField& field, uint8_t noConversion, uint8_t printerKind);
// The same with the two bytes of the label setup being printed.
int ConvertFieldDataCodePage(CField& field, const CLabelSetup& setup);

// The text of a Date or Time field now; *width gets its width estimate.
AString FormatFieldDateTimeValue(const CField& field, int* width);

// Fills the field code's service table with the data sources' date, time and
// counter-file readers.
void InstallDataSourceServices();
