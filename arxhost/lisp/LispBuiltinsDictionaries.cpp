// Dictionaries, the data a routine keeps in the drawing: namedobjdict
// dictsearch dictnext dictadd dictremove. An entry shows as entget shows its
// object; new objects come from entmakex and enter a dictionary with dictadd.
#include "LispBuiltins.h"

#include <cwctype>
#include <map>
#include <memory>

#include "DrawingNames.h"
#include "LispBuiltinArgs.h"
#include "LispDxfList.h"
#include "LispError.h"
#include "LispEvaluator.h"

namespace {

using Args = LispBuiltinArgs;
using Id = Drawing::Id;

LispRef ObjectList(const Drawing& drawing, Id object)
{
    if (object == Drawing::kNoId || !LispDxfList::Exists(drawing, object))
        return nullptr;
    return LispDxfList::FromGroups(drawing, object, drawing.Groups(object));
}

// Where dictnext goes on in each dictionary: the position after the entry
// it answered last.
struct Cursors {
    const Drawing* drawing = nullptr;
    std::map<Id, size_t> next;

    size_t& Of(const Drawing& current, Id dictionary)
    {
        if (drawing != &current) {
            drawing = &current;
            next.clear();
        }
        return next.emplace(dictionary, 0).first->second;
    }
};

}  // namespace

void LispBuiltins::InstallDictionaries(LispEvaluator& e)
{
    auto cursors = std::make_shared<Cursors>();
    Args::Def(e, L"NAMEDOBJDICT", 0, 0, [](LispEvaluator& ev, const LispArgs&) -> LispRef {
        Id root = LispDxfList::DrawingOf(ev).NamedObjects();
        return root == Drawing::kNoId ? nullptr : LispValue::EntityName(root);
    });
    Args::Def(e, L"DICTSEARCH", 2, 3, [cursors](LispEvaluator& ev, const LispArgs& a) -> LispRef {
        Drawing& drawing = LispDxfList::DrawingOf(ev);
        Id dictionary = LispDxfList::Entity(a[0]);
        const std::wstring& key = Args::Str(a[1]);
        std::vector<std::pair<std::wstring, Id>> entries = drawing.DictionaryEntries(dictionary);
        for (size_t i = 0; i < entries.size(); ++i) {
            if (!DrawingNames::Same(entries[i].first, key))
                continue;
            if (a.size() == 3 && a[2])
                cursors->Of(drawing, dictionary) = i + 1;
            return ObjectList(drawing, entries[i].second);
        }
        return nullptr;
    });
    Args::Def(e, L"DICTNEXT", 1, 2, [cursors](LispEvaluator& ev, const LispArgs& a) -> LispRef {
        Drawing& drawing = LispDxfList::DrawingOf(ev);
        Id dictionary = LispDxfList::Entity(a[0]);
        size_t& next = cursors->Of(drawing, dictionary);
        if (a.size() == 2 && a[1])
            next = 0;
        std::vector<std::pair<std::wstring, Id>> entries = drawing.DictionaryEntries(dictionary);
        if (next >= entries.size())
            return nullptr;
        return ObjectList(drawing, entries[next++].second);
    });
    Args::Def(e, L"DICTADD", 3, 3, [](LispEvaluator& ev, const LispArgs& a) -> LispRef {
        Drawing& drawing = LispDxfList::DrawingOf(ev);
        Id dictionary = LispDxfList::Entity(a[0]);
        const std::wstring& key = Args::Str(a[1]);
        Id object = LispDxfList::Entity(a[2]);
        if (!LispDxfList::Exists(drawing, dictionary) || !LispDxfList::Exists(drawing, object))
            return nullptr;
        return drawing.AddToDictionary(dictionary, key, object) ? a[2] : nullptr;
    });
    Args::Def(e, L"DICTREMOVE", 2, 2, [](LispEvaluator& ev, const LispArgs& a) -> LispRef {
        Drawing& drawing = LispDxfList::DrawingOf(ev);
        Id dictionary = LispDxfList::Entity(a[0]);
        const std::wstring& key = Args::Str(a[1]);
        if (!LispDxfList::Exists(drawing, dictionary))
            return nullptr;
        Id object = drawing.RemoveFromDictionary(dictionary, key);
        return object == Drawing::kNoId ? nullptr : LispValue::EntityName(object);
    });
}
