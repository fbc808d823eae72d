#include "document/layout/quarter_turn.h"

#include <utility>

#include "foundation/geometry/angles.h"

void RotateLayoutQuarterTurn(CFieldList& fields, CLabelSetup& setup) {
  std::swap(setup.labelWidth, setup.labelHeight);
  for (const auto& field : fields) {
    const int oldX = field->offset.x;
    field->offset.x = field->offset.y;
    field->offset.y = setup.labelHeight - oldX;
    field->SetRotation(NormalizeAngle(field->rotation - 270000));
  }
}

int QuarterTurnsBetween(int from, int to) {
  const int turns = to - from;
  return turns < 0 ? turns + 4 : turns;
}
