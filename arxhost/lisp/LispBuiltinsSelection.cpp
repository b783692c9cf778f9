// Selection sets: ssget ssadd ssdel sslength ssname ssmemb. The host has no
// user to pick entities, so ssget selects only with "X" (the whole drawing,
// through a filter list); its other ways answer nil, as a pick of nothing.
#include "LispBuiltins.h"

#include <cmath>
#include <cwctype>
#include <memory>

#include "LispBuiltinArgs.h"
#include "LispDxfList.h"
#include "LispError.h"
#include "LispEvaluator.h"
#include "LispSelectionFilter.h"
#include "SelectionSet.h"

namespace {

using Args = LispBuiltinArgs;

SelectionSet& Selection(const LispRef& value)
{
    if (!value || value->Type() != LispType::SelectionSet)
        Args::BadType(L"lselsetp", value);
    return value->AsSelection();
}

// Sets are numbered in the order they are made, from 1, per evaluator.
struct Numbers {
    int last = 0;
    LispRef NewSet() { return LispValue::Selection(std::make_shared<SelectionSet>(++last)); }
};

bool IsAll(const std::wstring& mode)
{
    std::wstring upper;
    for (wchar_t ch : mode)
        upper += static_cast<wchar_t>(std::towupper(ch));
    return upper == L"X" || upper == L"_X";
}

}  // namespace

void LispBuiltins::InstallSelection(LispEvaluator& e)
{
    auto numbers = std::make_shared<Numbers>();
    Args::Def(e, L"SSGET", 0, 5, [numbers](LispEvaluator& ev, const LispArgs& a) -> LispRef {
        if (a.empty() || !a[0] || a[0]->Type() != LispType::String || !IsAll(a[0]->AsString()))
            return nullptr;
        Drawing& drawing = LispDxfList::DrawingOf(ev);
        LispRef filter = a.size() > 1 ? Args::List(a[1]) : nullptr;
        LispSelectionFilter test(filter);
        LispRef set = numbers->NewSet();
        SelectionSet& selection = set->AsSelection();
        for (Drawing::Id id : drawing.Entities())
            if (test.Matches(drawing, id))
                selection.Add(id);
        return selection.Size() ? set : nullptr;
    });
    Args::Def(e, L"SSADD", 0, 2, [numbers](LispEvaluator& ev, const LispArgs& a) -> LispRef {
        if (a.empty())
            return numbers->NewSet();
        Drawing::Id id = LispDxfList::Entity(a[0]);
        LispRef set = a.size() == 2 ? a[1] : nullptr;
        if (set)
            Selection(set);
        if (!LispDxfList::Exists(LispDxfList::DrawingOf(ev), id))
            return nullptr;
        if (!set)
            set = numbers->NewSet();
        set->AsSelection().Add(id);
        return set;
    });
    Args::Def(e, L"SSDEL", 2, 2, [](LispEvaluator&, const LispArgs& a) -> LispRef {
        Drawing::Id id = LispDxfList::Entity(a[0]);
        return Selection(a[1]).Remove(id) ? a[1] : nullptr;
    });
    Args::Def(e, L"SSLENGTH", 1, 1, [](LispEvaluator&, const LispArgs& a) {
        return LispValue::Integer(static_cast<std::int32_t>(Selection(a[0]).Size()));
    });
    Args::Def(e, L"SSNAME", 2, 2, [](LispEvaluator&, const LispArgs& a) -> LispRef {
        SelectionSet& selection = Selection(a[0]);
        double index = std::trunc(Args::Num(a[1]));   // a real reaches past 32767
        if (!(index >= 0) || index >= static_cast<double>(selection.Size()))
            return nullptr;
        return LispValue::EntityName(selection.At(static_cast<std::size_t>(index)));
    });
    Args::Def(e, L"SSMEMB", 2, 2, [](LispEvaluator&, const LispArgs& a) -> LispRef {
        Drawing::Id id = LispDxfList::Entity(a[0]);
        return Selection(a[1]).Contains(id) ? a[0] : nullptr;
    });
}
