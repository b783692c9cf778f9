#include "LispBuiltinArgs.h"

#include "LispError.h"
#include "LispEvaluator.h"
#include "LispPrinter.h"
#include "LispStackGuard.h"

void LispBuiltinArgs::Def(LispEvaluator& evaluator, const wchar_t* name, int minArgs,
                          int maxArgs, Call call)
{
    LispBuiltin builtin;
    builtin.name = name;
    builtin.minArgs = minArgs;
    builtin.maxArgs = maxArgs;
    builtin.call = std::move(call);
    evaluator.Define(std::move(builtin));
}

void LispBuiltinArgs::BadType(const wchar_t* predicate, const LispRef& value)
{
    throw LispEvalError(std::wstring(L"bad argument type: ") + predicate + L": "
                        + LispPrinter::Prin1(value));
}

const std::wstring& LispBuiltinArgs::Str(const LispRef& value)
{
    if (!value || value->Type() != LispType::String)
        BadType(L"stringp", value);
    return value->AsString();
}

std::int32_t LispBuiltinArgs::Int(const LispRef& value)
{
    if (!value || value->Type() != LispType::Integer)
        BadType(L"fixnump", value);
    return value->AsInteger();
}

double LispBuiltinArgs::Num(const LispRef& value)
{
    if (!value || !value->IsNumber())
        BadType(L"numberp", value);
    return value->AsNumber();
}

const LispRef& LispBuiltinArgs::List(const LispRef& value)
{
    if (!LispIsList(value))
        BadType(L"listp", value);
    return value;
}

std::vector<double> LispBuiltinArgs::Point(const LispRef& value)
{
    std::vector<double> point;
    if (LispIsProperList(value))
        for (const LispRef& item : LispListItems(value)) {
            if (!item || !item->IsNumber() || point.size() == 3) {
                point.clear();
                break;
            }
            point.push_back(item->AsNumber());
        }
    if (point.size() < 2)
        BadType(L"2D/3D point", value);
    return point;
}

bool LispBuiltinArgs::Equal(const LispRef& a, const LispRef& b)
{
    if (a == b)
        return true;
    if (!a || !b)
        return false;
    if (a->IsNumber() && b->IsNumber())
        return a->AsNumber() == b->AsNumber();
    if (a->Type() != b->Type())
        return false;
    switch (a->Type()) {
    case LispType::String: return a->AsString() == b->AsString();
    case LispType::Symbol: return a->SymbolName() == b->SymbolName();
    case LispType::EntityName: return a->AsEntityName() == b->AsEntityName();
    case LispType::SelectionSet: return &a->AsSelection() == &b->AsSelection();
    case LispType::Cons: {
        LispStackGuard::Check();   // items nest through car without a limit
        const LispValue* x = a.get();
        const LispValue* y = b.get();
        while (x && y && x->Type() == LispType::Cons && y->Type() == LispType::Cons) {
            if (!Equal(x->Car(), y->Car()))
                return false;
            const LispRef& nx = x->Cdr();
            const LispRef& ny = y->Cdr();
            if (!nx || !ny || nx->Type() != LispType::Cons || ny->Type() != LispType::Cons)
                return Equal(nx, ny);
            x = nx.get();
            y = ny.get();
        }
        return false;
    }
    default: return false;
    }
}

bool LispBuiltinArgs::Eq(const LispRef& a, const LispRef& b)
{
    if (a == b)
        return true;
    if (!a || !b || a->Type() != b->Type())
        return false;
    switch (a->Type()) {
    case LispType::Symbol: return a->SymbolName() == b->SymbolName();
    case LispType::Integer: return a->AsInteger() == b->AsInteger();
    case LispType::Real: return a->AsReal() == b->AsReal();
    case LispType::EntityName: return a->AsEntityName() == b->AsEntityName();
    case LispType::SelectionSet: return &a->AsSelection() == &b->AsSelection();
    default: return false;
    }
}
