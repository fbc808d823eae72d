// The Data Matrix size exports for the designer.
#include "barcode/datamatrix/datamatrix_sizes.h"
#include "barcode/kalvo.h"

int GetDatamatrixDimensionsCount() { return static_cast<int>(kalvo::datamatrix::DataMatrixSizeTable.size()); }

// x = symbol columns, y = symbol rows; an index outside the table gives 0 x 0.
POINT GetDatamatrixNthDimension(int n) {
  if (n < 0 || n >= static_cast<int>(kalvo::datamatrix::DataMatrixSizeTable.size())) return POINT{0, 0};
  const auto& size = kalvo::datamatrix::DataMatrixSizeTable[n];
  return POINT{size.columns, size.rows};
}
