#include "LispValue.h"

#include <cwctype>

LispRef LispValue::Integer(std::int32_t value)
{
    return std::make_shared<const LispValue>(Key{}, Storage(value));
}

LispRef LispValue::Real(double value)
{
    return std::make_shared<const LispValue>(Key{}, Storage(value));
}

LispRef LispValue::String(std::wstring text)
{
    return std::make_shared<const LispValue>(Key{}, Storage(std::move(text)));
}

LispRef LispValue::Symbol(const std::wstring& name)
{
    std::wstring upper = name;
    for (wchar_t& ch : upper)
        ch = static_cast<wchar_t>(std::towupper(ch));
    return std::make_shared<const LispValue>(Key{}, Storage(SymbolData{std::move(upper)}));
}

LispRef LispValue::MakeCons(LispRef car, LispRef cdr)
{
    return std::make_shared<const LispValue>(Key{}, Storage(Cons{std::move(car), std::move(cdr)}));
}

LispRef LispValue::Function(LispBuiltin builtin)
{
    return std::make_shared<const LispValue>(Key{}, Storage(std::move(builtin)));
}

LispRef LispValue::Function(LispLambda lambda)
{
    return std::make_shared<const LispValue>(Key{}, Storage(std::move(lambda)));
}

LispRef LispValue::T()
{
    static const LispRef t = Symbol(L"T");
    return t;
}

LispRef LispValue::Void()
{
    static const LispRef blank = std::make_shared<const LispValue>(Key{}, Storage(VoidTag{}));
    return blank;
}

LispRef LispValue::List(const std::vector<LispRef>& items)
{
    LispRef list;
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        list = MakeCons(*it, list);
    return list;
}

LispRef LispValue::EntityName(std::uint32_t record)
{
    return std::make_shared<const LispValue>(Key{}, Storage(EntityNameData{record}));
}

LispRef LispValue::Selection(std::shared_ptr<SelectionSet> set)
{
    return std::make_shared<const LispValue>(Key{}, Storage(std::move(set)));
}

LispType LispValue::Type() const
{
    switch (m_value.index()) {
    case 0: return LispType::Integer;
    case 1: return LispType::Real;
    case 2: return LispType::String;
    case 3: return LispType::Symbol;
    case 4: return LispType::Cons;
    case 5: return LispType::Builtin;
    case 6: return LispType::Lambda;
    case 8: return LispType::EntityName;
    case 9: return LispType::SelectionSet;
    default: return LispType::Void;
    }
}

double LispValue::AsNumber() const
{
    return Type() == LispType::Integer ? static_cast<double>(AsInteger()) : AsReal();
}

bool LispValue::IsSymbol(const wchar_t* name) const
{
    return Type() == LispType::Symbol && SymbolName() == name;
}

LispValue::~LispValue()
{
    // Releasing a cons may release its car and cdr, and theirs in turn: a
    // list of a million items would otherwise recurse a million deep. The
    // first cons released collects its children and drains them in a loop;
    // conses released while draining only hand their children over.
    auto* cell = std::get_if<Cons>(&m_value);
    if (!cell)
        return;
    // Only a cons can lead deeper: anything else is released here and now,
    // which spares most cells the thread's list.
    if (!(cell->car && cell->car->Type() == LispType::Cons)
        && !(cell->cdr && cell->cdr->Type() == LispType::Cons))
        return;
    thread_local std::vector<LispRef> pending;
    thread_local bool draining = false;
    if (cell->car)
        pending.push_back(std::move(cell->car));
    if (cell->cdr)
        pending.push_back(std::move(cell->cdr));
    if (draining)
        return;
    draining = true;
    while (!pending.empty()) {
        LispRef next = std::move(pending.back());
        pending.pop_back();
        next.reset();
    }
    draining = false;
}

bool LispIsList(const LispRef& value)
{
    return !value || value->Type() == LispType::Cons;
}

bool LispIsProperList(const LispRef& value)
{
    const LispValue* node = value.get();
    while (node) {
        if (node->Type() != LispType::Cons)
            return false;
        node = node->Cdr().get();
    }
    return true;
}

std::vector<LispRef> LispListItems(const LispRef& list)
{
    size_t count = 0;
    for (const LispValue* node = list.get(); node && node->Type() == LispType::Cons;
         node = node->Cdr().get())
        ++count;
    std::vector<LispRef> items;
    items.reserve(count);
    for (const LispValue* node = list.get(); node && node->Type() == LispType::Cons;
         node = node->Cdr().get())
        items.push_back(node->Car());
    return items;
}
