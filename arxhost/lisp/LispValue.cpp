#include "LispValue.h"

#include <cwctype>
#include <new>

namespace {

// Every value of a routine's arithmetic is a new allocation, freed soon
// after, and under Wine the process heap costs more than the arithmetic: a
// list of freed blocks of the one size that make() asks for is reused first.
// The host runs LISP on its one thread, so the list needs no lock; it stays
// plain rather than per thread, as blocks are also given back when static
// values are destroyed at the program's end.
template <class T>
struct ValueAllocator {
    using value_type = T;
    ValueAllocator() = default;
    template <class U>
    ValueAllocator(const ValueAllocator<U>&) {}

    T* allocate(std::size_t n)
    {
        if (n == 1 && s_free) {
            void* block = s_free;
            s_free = *static_cast<void**>(block);
            return static_cast<T*>(block);
        }
        return static_cast<T*>(::operator new(std::max(n * sizeof(T), sizeof(void*))));
    }
    void deallocate(T* block, std::size_t n)
    {
        if (n != 1) {
            ::operator delete(block);
            return;
        }
        *reinterpret_cast<void**>(block) = s_free;
        s_free = block;
    }
    template <class U>
    bool operator==(const ValueAllocator<U>&) const { return true; }

private:
    static inline void* s_free = nullptr;
};

}  // namespace

template <class... Args>
LispRef LispValue::Make(Args&&... args)
{
    return std::allocate_shared<const LispValue>(ValueAllocator<LispValue>(), Key{},
                                                 Storage(std::forward<Args>(args)...));
}

LispRef LispValue::Integer(std::int32_t value)
{
    return Make(value);
}

LispRef LispValue::Real(double value)
{
    return Make(value);
}

LispRef LispValue::String(std::wstring text)
{
    return Make(std::move(text));
}

LispRef LispValue::Symbol(const std::wstring& name)
{
    std::wstring upper = name;
    for (wchar_t& ch : upper)
        ch = static_cast<wchar_t>(std::towupper(ch));
    return Make(SymbolData{std::move(upper)});
}

LispRef LispValue::MakeCons(LispRef car, LispRef cdr)
{
    return Make(Cons{std::move(car), std::move(cdr)});
}

LispRef LispValue::Function(LispBuiltin builtin)
{
    return Make(std::move(builtin));
}

LispRef LispValue::Function(LispLambda lambda)
{
    return Make(std::move(lambda));
}

LispRef LispValue::T()
{
    static const LispRef t = Symbol(L"T");
    return t;
}

LispRef LispValue::Void()
{
    static const LispRef blank = Make(VoidTag{});
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
    return Make(EntityNameData{record});
}

LispRef LispValue::Selection(std::shared_ptr<SelectionSet> set)
{
    return Make(std::move(set));
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
