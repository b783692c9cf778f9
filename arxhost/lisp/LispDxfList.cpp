#include "LispDxfList.h"

#include <cwchar>

#include "DxfGroupCode.h"
#include "LispBuiltinArgs.h"
#include "LispError.h"
#include "LispEvaluator.h"
#include "LispPrinter.h"
#include "LispWildcard.h"

namespace {

// The first code of a point whose y and z follow as code + 10 and code + 20.
bool IsPointCode(int code)
{
    return (code >= 10 && code <= 18) || (code >= 110 && code <= 112) || code == 210
           || (code >= 1010 && code <= 1013);
}

// Groups whose text is the handle of another record of the drawing.
bool IsReferenceCode(int code)
{
    return (code >= 320 && code <= 369) || (code >= 390 && code <= 399) || code == 480
           || code == 481;
}

LispRef Pair(int code, LispRef value)
{
    return LispValue::MakeCons(LispValue::Integer(code), std::move(value));
}

[[noreturn]] void BadGroup(const LispRef& item)
{
    throw LispEvalError(L"bad DXF group: " + LispPrinter::Prin1(item));
}

LispRef Value(const Drawing& drawing, const DrawingGroup& group)
{
    if (group.IsReal())
        return LispValue::Real(group.Real());
    if (group.IsInteger()) {
        std::int64_t value = group.Integer();
        if (value >= INT32_MIN && value <= INT32_MAX)
            return LispValue::Integer(static_cast<std::int32_t>(value));
        return LispValue::Real(static_cast<double>(value));
    }
    if (IsReferenceCode(group.code)) {
        wchar_t* end = nullptr;
        unsigned long long handle = std::wcstoull(group.Text().c_str(), &end, 16);
        if (!group.Text().empty() && end && *end == L'\0' && handle != 0) {
            Drawing::Id id = drawing.FindHandle(handle);
            if (id != Drawing::kNoId)
                return LispValue::EntityName(id);
        }
    }
    return LispValue::String(group.Text());
}

// The groups from `at` on as association list items, points joined.
std::vector<LispRef> Items(const Drawing& drawing, const std::vector<DrawingGroup>& groups,
                           size_t at, size_t end)
{
    std::vector<LispRef> items;
    for (size_t i = at; i < end; ++i) {
        const DrawingGroup& group = groups[i];
        if (IsPointCode(group.code) && group.IsReal() && i + 1 < end
            && groups[i + 1].code == group.code + 10 && groups[i + 1].IsReal()) {
            std::vector<LispRef> point{LispValue::Real(group.Real()),
                                       LispValue::Real(groups[i + 1].Real())};
            ++i;
            if (i + 1 < end && groups[i + 1].code == group.code + 20 && groups[i + 1].IsReal())
                point.push_back(LispValue::Real(groups[++i].Real()));
            items.push_back(Pair(group.code, LispValue::List(point)));
            continue;
        }
        items.push_back(Pair(group.code, Value(drawing, group)));
    }
    return items;
}

void AddGroups(const Drawing& drawing, const LispRef& list, std::vector<DrawingGroup>& groups);

// (-3 ("APP" (1000 . "text") ...) ...): each application's data after its 1001.
void AddExtensionData(const Drawing& drawing, const LispRef& item,
                      std::vector<DrawingGroup>& groups)
{
    if (!LispIsProperList(item->Cdr()))
        BadGroup(item);
    for (const LispRef& application : LispListItems(item->Cdr())) {
        if (!application || application->Type() != LispType::Cons || !application->Car()
            || application->Car()->Type() != LispType::String)
            BadGroup(item);
        groups.push_back(DrawingGroup{1001, application->Car()->AsString()});
        AddGroups(drawing, application->Cdr(), groups);
    }
}

void AddGroups(const Drawing& drawing, const LispRef& list, std::vector<DrawingGroup>& groups)
{
    if (!LispIsProperList(list))
        BadGroup(list);
    for (const LispRef& item : LispListItems(list)) {
        if (!item || item->Type() != LispType::Cons || !item->Car()
            || item->Car()->Type() != LispType::Integer)
            BadGroup(item);
        const int code = item->Car()->AsInteger();
        const LispRef& value = item->Cdr();
        if (code == -3) {
            AddExtensionData(drawing, item, groups);
            continue;
        }
        if (code < 0)
            continue;   // the entity's own name, a block's first entity
        if (IsPointCode(code) && value && value->Type() == LispType::Cons) {
            std::vector<LispRef> coordinates = LispIsProperList(value) ? LispListItems(value)
                                                                      : std::vector<LispRef>{};
            if (coordinates.size() < 2 || coordinates.size() > 3)
                BadGroup(item);
            for (size_t k = 0; k < coordinates.size(); ++k) {
                if (!coordinates[k] || !coordinates[k]->IsNumber())
                    BadGroup(item);
                groups.push_back(RealGroup(code + 10 * static_cast<int>(k), coordinates[k]->AsNumber()));
            }
            continue;
        }
        DrawingGroup group;
        group.code = code;
        switch (DxfGroupCode::KindOf(code)) {
        case DxfGroupCode::Kind::Real:
            if (!value || !value->IsNumber())
                BadGroup(item);
            group.value.emplace<double>(value->AsNumber());
            break;
        case DxfGroupCode::Kind::Integer:
            if (!value || value->Type() != LispType::Integer)
                BadGroup(item);
            group.value.emplace<std::int64_t>(value->AsInteger());
            break;
        case DxfGroupCode::Kind::Text:
            if (value && value->Type() == LispType::EntityName) {
                std::wstring handle = drawing.HandleText(value->AsEntityName());
                group.value = handle.empty() ? std::wstring(L"0") : handle;
            } else if (value && value->Type() == LispType::String) {
                group.value = value->AsString();
            } else {
                BadGroup(item);
            }
            break;
        }
        groups.push_back(std::move(group));
    }
}

}  // namespace

Drawing& LispDxfList::DrawingOf(LispEvaluator& evaluator)
{
    Drawing* drawing = evaluator.Host().CurrentDrawing();
    if (!drawing)
        throw LispEvalError(L"no drawing is open");
    return *drawing;
}

Drawing::Id LispDxfList::Entity(const LispRef& value)
{
    if (!value || value->Type() != LispType::EntityName)
        LispBuiltinArgs::BadType(L"lentityp", value);
    return value->AsEntityName();
}

bool LispDxfList::Exists(const Drawing& drawing, Drawing::Id id)
{
    return drawing.IsNamed(id) && !drawing.IsDeleted(id);
}

LispRef LispDxfList::FromGroups(const Drawing& drawing, Drawing::Id id,
                                const std::vector<DrawingGroup>& groups,
                                const std::vector<std::wstring>& applications)
{
    size_t extension = 0;
    while (extension < groups.size() && groups[extension].code != 1001)
        ++extension;
    std::vector<LispRef> items;
    if (id != Drawing::kNoId)
        items.push_back(Pair(-1, LispValue::EntityName(id)));
    for (LispRef& item : Items(drawing, groups, 0, extension))
        items.push_back(std::move(item));

    std::vector<LispWildcard> patterns;
    for (const std::wstring& application : applications)
        patterns.emplace_back(application, true);
    std::vector<LispRef> data;
    for (size_t at = extension; at < groups.size();) {
        size_t end = at + 1;
        while (end < groups.size() && groups[end].code != 1001)
            ++end;
        const std::wstring name = groups[at].IsText() ? groups[at].Text() : L"";
        bool wanted = false;
        for (const LispWildcard& pattern : patterns)
            wanted = wanted || pattern.Matches(name);
        if (wanted)
            data.push_back(LispValue::MakeCons(LispValue::String(name),
                                               LispValue::List(Items(drawing, groups, at + 1, end))));
        at = end;
    }
    if (!data.empty())
        items.push_back(Pair(-3, LispValue::List(data)));
    return LispValue::List(items);
}

std::vector<DrawingGroup> LispDxfList::ToGroups(const Drawing& drawing, const LispRef& list)
{
    std::vector<DrawingGroup> groups;
    AddGroups(drawing, list, groups);
    return groups;
}
