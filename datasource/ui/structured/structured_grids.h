// The grids the barcode data page and the prompt dialog show for structured
// data: six application-identifier slots of a UCC/EAN-128 field, and the six
// HIBC rows. Each row has a part (identifier or caption), its data and its
// source (Fixed Data, Prompt Before Print or Link/Expression). The checks of
// the values are those of datasource/structured_checks.h; these functions put
// the rows on screen, read them back and show the refusal.
#pragma once

#include <array>
#include <optional>

#include "barcode/request/cbcode.h"
#include "fields/model/field_kinds.h"
#include "grid/grid_ctrl.h"

// Makes the grid in the place of the parent's placeholder control `id` (the
// placeholder goes; the grid takes its id).
bool CreateGridInPlaceOf(CGridCtrl& grid, CWnd* parent, int id);

// A header row and six identifier rows; columns identifier, data, source.
void SetupAiGrid(CGridCtrl& grid, const CBarcodeField& field, bool promptedOnly);
// After the identifier or source of a row changed: its data cell's length
// limit, digit rule and read-only state follow them.
void RefreshAiGridRow(CGridCtrl& grid, int row, bool promptedOnly);
// Takes the rows into the field; 1 when accepted. Else 0 with the message
// shown over `page` and *badRow the refused slot (0 when no row was taken).
int ApplyAiGrid(CWnd* page, CGridCtrl& grid, CBarcodeField& field, int* badRow, bool promptedOnly);
// The input rule of an identifier, e.g. "3-10 Numeric Characters"; empty for
// none.
AString FormatInputRuleText(const typAIdef* rule);
// The input rule of the identifier chosen in a row of the identifier grid.
AString AiGridRowRule(CGridCtrl& grid, int row);

// Six HIBC rows; columns caption (format lists for quantity and date), data,
// source.
void SetupHibcGrid(CGridCtrl& grid, const CBarcodeField& field, bool promptedOnly);
// The quantity (row 3) or date (row 4) data cell as its format allows: a
// format without digits empties it and makes it and its source read-only.
void SetHibcDataCellLimit(CGridCtrl& grid, int row, int formatIndex);
// After a row's format or source changed: its data cell follows them.
void RefreshHibcGridRow(CGridCtrl& grid, int row);
// Only the rows the field's HIBC form uses are editable.
void EnableHibcGridRows(CGridCtrl& grid, const CBarcodeField& field);
// Takes the rows into the field by its HIBC form; 1 when accepted, else 0
// with the message shown over `page` and *badRow the refused row.
int ApplyHibcGrid(CWnd* page, CGridCtrl& grid, CBarcodeField& field, int* badRow, bool promptedOnly);

// A row switched to Prompt Before Print shows "X"s in its data cell as the
// sample the label draws until the value is asked; the text the cell held is
// kept here and comes back when the row leaves Prompt. One per grid.
struct PromptedRowTexts {
  std::array<std::optional<AString>, 8> kept;
  std::array<int, 8> source{};  // each row's source as last seen
};
// Notes each row's source as the grid shows it (after SetupAiGrid or
// SetupHibcGrid).
void NoteRowSources(CGridCtrl& grid, PromptedRowTexts& rows);
// After a row's source was chosen: Prompt fills its data cell with "X"
// repeated by the identifier's longest length (at most 30; 8 without an
// identifier and in the HIBC grid), the cell's text kept aside; leaving
// Prompt brings the kept text back (none kept: the cell is emptied);
// Link/Expression puts the focus on the data cell. The row's limits and
// read-only state follow (RefreshAiGridRow / RefreshHibcGridRow).
void FollowRowSource(CGridCtrl& grid, int row, bool hibc, PromptedRowTexts& rows);
