// Field geometry: the turned outline and its handle points, bounding
// rectangles, regions, hit tests, resizing by a handle, overlaps and a few
// layout operations on field lists.
#pragma once

#include "fields/model/field_list.h"
#include "fields/services/design_view.h"
#include "platform/gdi/gdi.h"

class CLabelSetup;

// Handle codes: 10 x row + column; 5 and 6 the box's border thicknesses; 1 the
// body; 0 a miss.
inline constexpr int kHandleBody = 1;
inline constexpr int kHandleBoxHorizontal = 5;
inline constexpr int kHandleBoxVertical = 6;
inline constexpr int kOutlineHandleCodes[8] = {11, 12, 13, 21, 23, 31, 32, 33};

// The outline points (see the handle table), in pixels at scaleX by scaleY
// (0 keeps mils; scaleY 0 means scaleX) moved by the origin, grown by
// inflate. Returns 1.
int GetFieldOutline(POINT* points, int count, const CField& field, int handleSize, int originX, int originY,
                    int scaleX, int scaleY, int inflate);
// With a view: its handle size and zoom, origin 0; without: handle size 4 and mils.
int GetFieldOutlineInView(POINT* points, int count, const CField& field, const IDesignView* view, int inflate);
// The union of the fields' bounding rectangles; all zero for an empty list.
RECT GetFieldListBoundingRect(const CFieldList& list, int originX, int originY, int scaleX, int scaleY);
// A region the caller deletes.
HRGN CreateFieldRegion(const CField& field, const IDesignView* view, int inflate);
// A handle code, kHandleBody, or 0 (x, y in the view's pixels, or mils).
int HitTestField(int x, int y, int tolerance, const CField& field, const IDesignView* view);
int IsNearPoint(int x, int y, int px, int py, int tolerance);
int ResizeRectByHandle(RECT& rect, int code, int dx, int dy);
// The interactive resize by the drag (dx, dy) since the press, from the
// geometry saved then. Returns 1.
int ResizeFieldByHandle(CField& field, int code, int dx, int dy, const IDesignView* view, int keepMinimum,
                        POINT* outline);
int ProjectDragOnAxes(const POINT widthAxis[2], const POINT heightAxis[2], int dx, int dy, int* widthPart,
                      int* heightPart);
double SignedLengthAlongAngle(double angle, int x, int y);
double GetFieldCornerDistance(const CField& field, bool largest);
// 0 no overlap, 1 b reaches into a's empty corners, 2 a into b's, 3 both.
int TestFieldOverlap(const CField& a, const CField& b);
int TestFieldLabelOverlap(const CField& field, const CLabelSetup& setup);
int OffsetFieldList(CFieldList& list, int dx, int dy);
void QuarterTurnOffset(int distance, int angle, int* dx, int* dy);
// Grows the field by a left and right and b top and bottom, its position
// moved by (-a, -b) turned about the old position.
void InflateFieldRotated(CField& field, int a, int b);
int KeepFieldInsideLabel(CField& field, const CLabelSetup& setup);
int GetFieldIndex(const CFieldList& list, const CField* field);
// Edit | Auto Arrange: 0 for an empty list, else 1.
int AutoArrangeFields(CFieldList& list, CLabelSetup& setup);
