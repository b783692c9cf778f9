// Symbol tables: tblnext tblsearch tblobjname. An entry shows as the CAD
// host shows it: its type, name, flags and own data, without handles, owners
// and subclass marks ((0 . "LAYER") (2 . "LOT-A") (70 . 0) (62 . 3)
// (6 . "Continuous")); a block with its base point and first entity (-2).
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

// Model and paper space are layouts, not blocks a routine inserts (R12
// files name them with a $).
bool IsLayoutBlock(const std::wstring& name)
{
    std::wstring upper = DrawingNames::Upper(name);
    if (!upper.empty() && upper[0] == L'$')
        upper[0] = L'*';
    return upper.rfind(L"*MODEL_SPACE", 0) == 0 || upper.rfind(L"*PAPER_SPACE", 0) == 0;
}

// Groups that tie an entry into the file rather than describe it.
bool IsBookkeeping(int code)
{
    switch (code) {
    case 5: case 105: case 100: case 290: case 330: case 340: case 347: case 348: case 360:
    case 370: case 390: case 420: case 430: case 440:
        return true;
    default:
        return code >= 1000;
    }
}

// The table's entries in file order: BLOCK records for "BLOCK".
std::vector<Id> Entries(const Drawing& drawing, const std::wstring& table)
{
    std::vector<Id> entries;
    if (table == L"BLOCK") {
        for (const Drawing::Block& block : drawing.Blocks())
            if (!IsLayoutBlock(block.name) && !drawing.IsDeleted(block.record))
                entries.push_back(block.record);
        return entries;
    }
    return drawing.TableEntries(std::string(table.begin(), table.end()));
}

Id Search(const Drawing& drawing, const std::wstring& table, const std::wstring& name)
{
    if (table == L"BLOCK") {
        const Drawing::Block* block = drawing.FindBlock(name);
        return block && !IsLayoutBlock(block->name) ? block->record : Drawing::kNoId;
    }
    return drawing.FindTableEntry(std::string(table.begin(), table.end()), name);
}

LispRef EntryList(const Drawing& drawing, Id id)
{
    std::vector<DrawingGroup> kept;
    bool inBlock = false;   // a 102 block of reactors or extension dictionaries
    for (const DrawingGroup& group : drawing.Groups(id)) {
        if (group.code == 102) {
            inBlock = group.IsText() && group.Text() != L"}";
            continue;
        }
        if (!inBlock && !IsBookkeeping(group.code))
            kept.push_back(group);
    }
    if (drawing.Type(id) != "BLOCK")
        return LispDxfList::FromGroups(drawing, Drawing::kNoId, kept);
    // A block: name, flags, base point, and its first entity.
    std::vector<DrawingGroup> block;
    for (const DrawingGroup& group : kept)
        if (group.code == 0 || group.code == 2 || group.code == 70 || group.code == 10
            || group.code == 20 || group.code == 30)
            block.push_back(group);
    LispRef list = LispDxfList::FromGroups(drawing, Drawing::kNoId, block);
    for (const Drawing::Block& entry : drawing.Blocks())
        if (entry.record == id)
            for (Id entity : entry.entities)
                if (!drawing.IsDeleted(entity)) {
                    LispRef first = LispValue::MakeCons(LispValue::Integer(-2),
                                                        LispValue::EntityName(entity));
                    std::vector<LispRef> items = LispListItems(list);
                    items.push_back(first);
                    return LispValue::List(items);
                }
    return list;
}

// Where tblnext goes on in each table: the entry it answered last (kNoId:
// from the start; kEnd: past the last).
struct Cursors {
    static constexpr Id kEnd = Drawing::kNoId - 1;
    const Drawing* drawing = nullptr;
    std::map<std::wstring, Id> last;

    Id& Of(const Drawing& current, const std::wstring& table)
    {
        if (drawing != &current) {
            drawing = &current;
            last.clear();
        }
        return last.emplace(table, Drawing::kNoId).first->second;
    }
};

}  // namespace

void LispBuiltins::InstallTables(LispEvaluator& e)
{
    auto cursors = std::make_shared<Cursors>();
    Args::Def(e, L"TBLNEXT", 1, 2, [cursors](LispEvaluator& ev, const LispArgs& a) -> LispRef {
        Drawing& drawing = LispDxfList::DrawingOf(ev);
        std::wstring table = DrawingNames::Upper(Args::Str(a[0]));
        Id& last = cursors->Of(drawing, table);
        if (a.size() == 2 && a[1])
            last = Drawing::kNoId;
        if (last == Cursors::kEnd)
            return nullptr;
        std::vector<Id> entries = Entries(drawing, table);
        size_t next = 0;
        if (last != Drawing::kNoId) {
            while (next < entries.size() && entries[next] != last)
                ++next;
            ++next;
        }
        if (next >= entries.size()) {
            last = Cursors::kEnd;
            return nullptr;
        }
        last = entries[next];
        return EntryList(drawing, last);
    });
    Args::Def(e, L"TBLSEARCH", 2, 3, [cursors](LispEvaluator& ev, const LispArgs& a) -> LispRef {
        Drawing& drawing = LispDxfList::DrawingOf(ev);
        std::wstring table = DrawingNames::Upper(Args::Str(a[0]));
        Id id = Search(drawing, table, Args::Str(a[1]));
        if (id == Drawing::kNoId)
            return nullptr;
        if (a.size() == 3 && a[2])
            cursors->Of(drawing, table) = id;
        return EntryList(drawing, id);
    });
    Args::Def(e, L"TBLOBJNAME", 2, 2, [](LispEvaluator& ev, const LispArgs& a) -> LispRef {
        Drawing& drawing = LispDxfList::DrawingOf(ev);
        std::wstring table = DrawingNames::Upper(Args::Str(a[0]));
        const std::wstring& name = Args::Str(a[1]);
        Id id = Search(drawing, table, name);
        if (table == L"BLOCK" && id != Drawing::kNoId) {
            // The block's record in the BLOCK_RECORD table, where the file has one.
            Id record = drawing.FindTableEntry("BLOCK_RECORD", name);
            id = record != Drawing::kNoId ? record : id;
        }
        return id == Drawing::kNoId ? nullptr : LispValue::EntityName(id);
    });
}
