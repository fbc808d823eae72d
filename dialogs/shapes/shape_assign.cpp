#include "dialogs/shapes/shape_assign.h"

CField& AssignShapeField(CField& to, const CField& from) {
  // The record-driven copy already takes every member of the base and the
  // kind; only the two members it leaves to the owner are added.
  to.CopyFrom(&from, 0);
  to.recordSize = from.recordSize;
  to.serialId = from.serialId;
  return to;
}
