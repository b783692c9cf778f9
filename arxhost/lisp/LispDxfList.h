#pragma once

#include <string>
#include <vector>

#include "Drawing.h"
#include "LispValue.h"

// Entity data between the drawing and LISP, in the association lists of
// entget, entmake and entmod: (0 . "LINE"), (8 . "LOT-A"), a point as
// (10 x y z) (LWPOLYLINE vertices as (10 x y)), references to other records
// as entity names, extension data under -3. The drawing's groups are
// read and written through its own interface only.
class LispDxfList {
public:
    // The host's drawing; an error when the host holds none.
    static Drawing& DrawingOf(LispEvaluator& evaluator);
    // An entity name argument ("bad argument type: lentityp: ..." otherwise).
    static Drawing::Id Entity(const LispRef& value);
    // True when the name stands for a record of the drawing that is not deleted.
    static bool Exists(const Drawing& drawing, Drawing::Id id);

    // entget's list of a record's groups: (-1 . name) first unless `id` is
    // kNoId, extension data under -3 for the applications that one of
    // `applications` (wild-card patterns) names.
    static LispRef FromGroups(const Drawing& drawing, Drawing::Id id,
                              const std::vector<DrawingGroup>& groups,
                              const std::vector<std::wstring>& applications = {});
    // The groups that an entmake or entmod list stands for, (-1 ...) left
    // out; "bad DXF group: ..." for an item of another shape.
    static std::vector<DrawingGroup> ToGroups(const Drawing& drawing, const LispRef& list);
};
