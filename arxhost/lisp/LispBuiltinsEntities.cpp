// Entities: entnext entlast entget entmake entmakex entmod entupd entdel
// handent. An entity name stands for the drawing's record of the entity, so
// it stays valid while the entity is deleted and brought back.
#include "LispBuiltins.h"

#include <algorithm>
#include <cwctype>

#include "DrawingNames.h"
#include "LispBuiltinArgs.h"
#include "LispDxfList.h"
#include "LispError.h"
#include "LispEvaluator.h"
#include "LispWildcard.h"

namespace {

using Args = LispBuiltinArgs;
using Id = Drawing::Id;

LispRef NameOrNil(Id id)
{
    return id == Drawing::kNoId ? nullptr : LispValue::EntityName(id);
}

const DrawingGroup* Find(const std::vector<DrawingGroup>& groups, int code)
{
    for (const DrawingGroup& group : groups)
        if (group.code == code)
            return &group;
    return nullptr;
}

// The groups that each kind of entity cannot do without.
bool Complete(const std::wstring& type, const std::vector<DrawingGroup>& groups)
{
    struct Needs {
        const wchar_t* type;
        std::initializer_list<int> codes;
    };
    static const Needs needs[] = {
        {L"LINE", {10, 11}},       {L"POINT", {10}},          {L"CIRCLE", {10, 40}},
        {L"ARC", {10, 40, 50, 51}}, {L"TEXT", {10, 40, 1}},    {L"MTEXT", {10, 1}},
        {L"LWPOLYLINE", {10}},     {L"INSERT", {2, 10}},
    };
    for (const Needs& kind : needs)
        if (type == kind.type)
            return std::all_of(kind.codes.begin(), kind.codes.end(),
                               [&](int code) { return Find(groups, code) != nullptr; });
    return false;
}

// A polyline's vertex count follows its vertices.
void CountVertices(std::vector<DrawingGroup>& groups)
{
    std::int64_t vertices = std::count_if(groups.begin(), groups.end(),
                                          [](const DrawingGroup& g) { return g.code == 10; });
    auto count = std::find_if(groups.begin(), groups.end(),
                              [](const DrawingGroup& g) { return g.code == 90; });
    if (count != groups.end())
        count->value.emplace<std::int64_t>(vertices);
}

// Points of entities other than lightweight polylines are 3D in the
// drawing: a 2D point given lies at z = 0.
void AddMissingZ(std::vector<DrawingGroup>& groups)
{
    for (size_t i = 0; i + 1 < groups.size(); ++i) {
        int code = groups[i].code;
        if (code < 10 || code > 18 || groups[i + 1].code != code + 10)
            continue;
        if (i + 2 < groups.size() && groups[i + 2].code == code + 20)
            continue;
        groups.insert(groups.begin() + static_cast<std::ptrdiff_t>(i + 2), RealGroup(code + 20, 0.0));
    }
}

bool IsTableEntryType(const std::wstring& type)
{
    for (const wchar_t* table : {L"LAYER", L"LTYPE", L"STYLE", L"VIEW", L"UCS", L"VPORT",
                                 L"APPID", L"DIMSTYLE", L"BLOCK_RECORD", L"BLOCK"})
        if (type == table)
            return true;
    return false;
}

// entmake and entmakex: the new record, or kNoId when the list does not
// describe one that can be made.
Id Make(Drawing& drawing, const LispRef& list)
{
    if (!list || !LispIsProperList(list))
        Args::BadType(L"listp", list);
    std::vector<DrawingGroup> groups = LispDxfList::ToGroups(drawing, list);
    auto typeGroup = std::find_if(groups.begin(), groups.end(),
                                  [](const DrawingGroup& g) { return g.code == 0; });
    if (typeGroup == groups.end() || !typeGroup->IsText())
        return Drawing::kNoId;
    std::rotate(groups.begin(), typeGroup, typeGroup + 1);
    const std::wstring type = DrawingNames::Upper(groups[0].Text());
    groups[0].value = type;

    if (type == L"LAYER") {
        const DrawingGroup* name = Find(groups, 2);
        if (!name || !name->IsText() || name->Text().empty() || drawing.FindLayer(name->Text()))
            return Drawing::kNoId;
        const DrawingGroup* colour = Find(groups, 62);
        return drawing.AddLayer(name->Text(), colour && colour->IsInteger()
                                                  ? static_cast<int>(colour->Integer())
                                                  : 7);
    }
    if (type == L"XRECORD" || type == L"DICTIONARY")
        return drawing.AddObject(groups);
    if (!Complete(type, groups))
        return Drawing::kNoId;
    // R12 files know neither lightweight polylines nor paragraph texts.
    if ((type == L"LWPOLYLINE" || type == L"MTEXT") && drawing.Version() < L"AC1012")
        return Drawing::kNoId;
    if (type == L"INSERT" && !drawing.FindBlock(Find(groups, 2)->Text()))
        return Drawing::kNoId;
    if (type == L"LWPOLYLINE")
        CountVertices(groups);
    else
        AddMissingZ(groups);
    return drawing.AddEntity(groups);
}

// The extension data groups of each application, by name.
std::vector<std::pair<std::wstring, std::vector<DrawingGroup>>>
Extensions(const std::vector<DrawingGroup>& groups)
{
    std::vector<std::pair<std::wstring, std::vector<DrawingGroup>>> data;
    for (const DrawingGroup& group : groups) {
        if (group.code == 1001)
            data.emplace_back(group.IsText() ? DrawingNames::Upper(group.Text()) : L"", std::vector<DrawingGroup>{});
        if (!data.empty())
            data.back().second.push_back(group);
    }
    return data;
}

// entmod: the entity's new groups. Extension data of applications that the
// list does not name stays as it was, as in the CAD host.
LispRef Modify(Drawing& drawing, const LispRef& list)
{
    if (!list || !LispIsProperList(list))
        Args::BadType(L"listp", list);
    Id id = Drawing::kNoId;
    for (const LispRef& item : LispListItems(list))
        if (item && item->Type() == LispType::Cons && item->Car()
            && item->Car()->Type() == LispType::Integer && item->Car()->AsInteger() == -1)
            id = LispDxfList::Entity(item->Cdr());
    if (id == Drawing::kNoId || !LispDxfList::Exists(drawing, id))
        return nullptr;
    std::vector<DrawingGroup> groups = LispDxfList::ToGroups(drawing, list);
    const DrawingGroup* type = Find(groups, 0);
    if (type && (!type->IsText() || DrawingNames::Upper(type->Text()) != drawing.TypeName(id)))
        return nullptr;

    auto firstData = std::find_if(groups.begin(), groups.end(),
                                  [](const DrawingGroup& g) { return g.code == 1001; });
    std::vector<DrawingGroup> given(firstData, groups.end());
    groups.erase(firstData, groups.end());
    auto named = Extensions(given);
    for (auto& [application, data] : Extensions(drawing.Groups(id))) {
        bool replaced = std::any_of(named.begin(), named.end(),
                                    [&](const auto& n) { return n.first == application; });
        if (!replaced)
            groups.insert(groups.end(), data.begin(), data.end());
    }
    groups.insert(groups.end(), given.begin(), given.end());
    if (drawing.TypeName(id) == L"LWPOLYLINE")
        CountVertices(groups);
    else if (!drawing.IsSubEntityRecord(id) && !IsTableEntryType(drawing.TypeName(id)))
        AddMissingZ(groups);
    drawing.ModifyEntity(id, groups);
    return list;
}

}  // namespace

void LispBuiltins::InstallEntities(LispEvaluator& e)
{
    Args::Def(e, L"ENTNEXT", 0, 1, [](LispEvaluator& ev, const LispArgs& a) {
        Drawing& drawing = LispDxfList::DrawingOf(ev);
        if (a.empty() || !a[0])
            return NameOrNil(drawing.FirstEntity());
        return NameOrNil(drawing.EntityAfter(LispDxfList::Entity(a[0])));
    });
    Args::Def(e, L"ENTLAST", 0, 0, [](LispEvaluator& ev, const LispArgs&) {
        return NameOrNil(LispDxfList::DrawingOf(ev).LastEntity());
    });
    Args::Def(e, L"ENTGET", 1, 2, [](LispEvaluator& ev, const LispArgs& a) -> LispRef {
        Drawing& drawing = LispDxfList::DrawingOf(ev);
        Id id = LispDxfList::Entity(a[0]);
        std::vector<std::wstring> applications;
        if (a.size() == 2)
            for (const LispRef& name : LispListItems(Args::List(a[1])))
                applications.push_back(Args::Str(name));
        if (!LispDxfList::Exists(drawing, id))
            return nullptr;
        return LispDxfList::FromGroups(drawing, id, drawing.Groups(id), applications);
    });
    Args::Def(e, L"ENTMAKE", 0, 1, [](LispEvaluator& ev, const LispArgs& a) -> LispRef {
        if (a.empty() || !a[0])
            return nullptr;
        return Make(LispDxfList::DrawingOf(ev), a[0]) == Drawing::kNoId ? nullptr : a[0];
    });
    Args::Def(e, L"ENTMAKEX", 0, 1, [](LispEvaluator& ev, const LispArgs& a) -> LispRef {
        if (a.empty() || !a[0])
            return nullptr;
        return NameOrNil(Make(LispDxfList::DrawingOf(ev), a[0]));
    });
    Args::Def(e, L"ENTMOD", 1, 1, [](LispEvaluator& ev, const LispArgs& a) {
        return Modify(LispDxfList::DrawingOf(ev), a[0]);
    });
    Args::Def(e, L"ENTUPD", 1, 1, [](LispEvaluator& ev, const LispArgs& a) -> LispRef {
        // Changes are drawn as they are made; entupd only answers the name.
        Id id = LispDxfList::Entity(a[0]);
        return LispDxfList::Exists(LispDxfList::DrawingOf(ev), id) ? a[0] : nullptr;
    });
    Args::Def(e, L"ENTDEL", 1, 1, [](LispEvaluator& ev, const LispArgs& a) -> LispRef {
        // Deleting a deleted entity brings it back.
        Drawing& drawing = LispDxfList::DrawingOf(ev);
        Id id = LispDxfList::Entity(a[0]);
        if (!drawing.IsNamed(id) || drawing.IsSubEntityRecord(id)
            || IsTableEntryType(drawing.TypeName(id)))
            return nullptr;
        if (drawing.IsDeleted(id))
            drawing.RestoreEntity(id);
        else
            drawing.DeleteEntity(id);
        return a[0];
    });
    Args::Def(e, L"HANDENT", 1, 1, [](LispEvaluator& ev, const LispArgs& a) -> LispRef {
        const std::wstring& text = Args::Str(a[0]);
        wchar_t* end = nullptr;
        unsigned long long handle = std::wcstoull(text.c_str(), &end, 16);
        if (text.empty() || !end || *end != L'\0')
            return nullptr;
        return NameOrNil(LispDxfList::DrawingOf(ev).FindHandle(handle));
    });
}
