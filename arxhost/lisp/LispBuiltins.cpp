// Built-in functions, by group:
//   lists    list cons car cdr c[ad]{2,3}r nth length append reverse last member
//            assoc mapcar apply subst vl-sort vl-remove-if vl-remove-if-not atom
//            listp null not eq equal type
//   numbers  + - * / 1+ 1- = /= < > <= >= abs min max rem fix float
//   strings  strcat strlen substr strcase wcmatch itoa atoi atof
//   I/O      princ prin1 print terpri getvar load
#include "LispBuiltins.h"

#include "LispBuiltinArgs.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <vector>

#include "LispError.h"
#include "LispEvaluator.h"
#include "LispHost.h"
#include "LispPrinter.h"
#include "LispReader.h"
#include "LispSourceFile.h"
#include "LispStackGuard.h"
#include "LispWildcard.h"

namespace {

using Args = LispBuiltinArgs;

LispRef Car(const LispRef& value)
{
    return Args::List(value) ? value->Car() : nullptr;
}

LispRef Cdr(const LispRef& value)
{
    return Args::List(value) ? value->Cdr() : nullptr;
}

// 32-bit integers wrap around as AutoLISP's do.
std::int32_t Wrap(long long value)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Arithmetic: integers stay integers until a real takes part.
LispRef Arithmetic(const LispArgs& args, wchar_t op)
{
    bool real = false;
    for (const LispRef& arg : args) {
        Args::Num(arg);
        real = real || arg->Type() == LispType::Real;
    }
    if (args.empty())
        return LispValue::Integer(0);
    if (real) {
        double acc = args[0]->AsNumber();
        if (args.size() == 1 && op == L'-')
            return LispValue::Real(-acc);
        for (size_t i = 1; i < args.size(); ++i) {
            double v = args[i]->AsNumber();
            switch (op) {
            case L'+': acc += v; break;
            case L'-': acc -= v; break;
            case L'*': acc *= v; break;
            default:
                if (v == 0)
                    throw LispEvalError(L"divide by zero");
                acc /= v;
            }
        }
        return LispValue::Real(acc);
    }
    long long acc = args[0]->AsInteger();
    if (args.size() == 1 && op == L'-')
        return LispValue::Integer(Wrap(-acc));
    for (size_t i = 1; i < args.size(); ++i) {
        long long v = args[i]->AsInteger();
        switch (op) {
        case L'+': acc = Wrap(acc + v); break;
        case L'-': acc = Wrap(acc - v); break;
        case L'*': acc = Wrap(acc * v); break;
        default:
            if (v == 0)
                throw LispEvalError(L"divide by zero");
            acc = Wrap(acc / v);
        }
    }
    return LispValue::Integer(static_cast<std::int32_t>(acc));
}

// Comparison of numbers with numbers or strings with strings; `test` gets
// the sign of each neighbouring pair.
template <typename Test>
LispRef Compare(const LispArgs& args, Test test)
{
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        const LispRef& a = args[i];
        const LispRef& b = args[i + 1];
        int sign;
        if (a && b && a->IsNumber() && b->IsNumber()) {
            double x = a->AsNumber();
            double y = b->AsNumber();
            sign = x < y ? -1 : (x > y ? 1 : 0);
        } else if (a && b && a->Type() == LispType::String && b->Type() == LispType::String) {
            int c = a->AsString().compare(b->AsString());
            sign = c < 0 ? -1 : (c > 0 ? 1 : 0);
        } else {
            Args::BadType(L"numberp", (a && a->IsNumber()) || (a && a->Type() == LispType::String) ? b : a);
        }
        if (!test(sign))
            return nullptr;
    }
    return LispValue::T();
}

// MIN and MAX: the number that `better` prefers; a real when any is real.
template <typename Better>
LispRef Extreme(const LispArgs& args, Better better)
{
    LispRef best = args[0];
    bool real = false;
    for (const LispRef& v : args) {
        Args::Num(v);
        real = real || v->Type() == LispType::Real;
        if (better(v->AsNumber(), best->AsNumber()))
            best = v;
    }
    return real ? LispValue::Real(best->AsNumber()) : best;
}

LispRef CxR(const LispRef& value, const wchar_t* path)
{
    // path read right to left, as in (cadr x) = (car (cdr x))
    LispRef result = value;
    for (const wchar_t* p = path + wcslen(path); p != path;) {
        --p;
        result = *p == L'a' ? Car(result) : Cdr(result);
    }
    return result;
}

void InstallCxR(LispEvaluator& e, const wchar_t* name, const wchar_t* path)
{
    LispBuiltin builtin;
    builtin.name = name;
    builtin.minArgs = 1;
    builtin.maxArgs = 1;
    std::wstring steps = path;
    builtin.call = [steps](LispEvaluator&, const LispArgs& a) { return CxR(a[0], steps.c_str()); };
    e.Define(std::move(builtin));
}

// LOAD reads the file NAME, else NAME.lsp, looking in each of the host's load
// folders in turn, as the CAD host searches its support path. A name from the
// root ("\lisp\lots") is only where it says; one with a drive cannot be
// found under another folder anyway.
bool ReadLoadFile(const LispHost& host, const std::wstring& name, std::wstring& text)
{
    bool rooted = !name.empty() && (name[0] == L'\\' || name[0] == L'/');
    std::vector<std::wstring> folders = rooted ? std::vector<std::wstring>{std::wstring()}
                                               : host.LoadFolders();
    for (const std::wstring& folder : folders)
        if (LispSourceFile::Read(folder + name, text)
            || LispSourceFile::Read(folder + name + L".lsp", text))
            return true;
    return false;
}

}  // namespace

void LispBuiltins::Install(LispEvaluator& evaluator)
{
    InstallLists(evaluator);
    InstallNumbers(evaluator);
    InstallStrings(evaluator);
    InstallInputOutput(evaluator);
    InstallCommand(evaluator);
    InstallMath(evaluator);
    InstallEntities(evaluator);
    InstallSelection(evaluator);
    InstallTables(evaluator);
    InstallDictionaries(evaluator);
}

void LispBuiltins::InstallLists(LispEvaluator& e)
{
    Args::Def(e, L"LIST", 0, -1, [](LispEvaluator&, const LispArgs& a) { return LispValue::List(a); });
    Args::Def(e, L"CONS", 2, 2, [](LispEvaluator&, const LispArgs& a) {
        return LispValue::MakeCons(a[0], a[1]);
    });
    static const wchar_t* const paths[] = {L"a", L"d", L"aa", L"ad", L"da", L"dd", L"add", L"dda",
                                           L"ddd", L"aad", L"ada", L"daa", L"dad", L"aaa"};
    for (const wchar_t* path : paths) {
        std::wstring name = L"C";
        for (const wchar_t* p = path; *p; ++p)
            name += static_cast<wchar_t>(std::towupper(*p));
        name += L"R";
        InstallCxR(e, name.c_str(), path);
    }
    Args::Def(e, L"NTH", 2, 2, [](LispEvaluator&, const LispArgs& a) -> LispRef {
        std::int32_t n = Args::Int(a[0]);
        LispRef list = Args::List(a[1]);
        for (; n > 0 && list && list->Type() == LispType::Cons; --n)
            list = list->Cdr();
        if (n < 0 || !list || list->Type() != LispType::Cons)
            return nullptr;
        return list->Car();
    });
    Args::Def(e, L"LENGTH", 1, 1, [](LispEvaluator&, const LispArgs& a) {
        if (!LispIsProperList(a[0]))
            Args::BadType(L"listp", a[0]);
        return LispValue::Integer(static_cast<std::int32_t>(LispListItems(a[0]).size()));
    });
    Args::Def(e, L"APPEND", 0, -1, [](LispEvaluator&, const LispArgs& a) {
        std::vector<LispRef> items;
        for (const LispRef& list : a) {
            if (!LispIsProperList(list))
                Args::BadType(L"listp", list);
            for (const LispRef& item : LispListItems(list))
                items.push_back(item);
        }
        return LispValue::List(items);
    });
    Args::Def(e, L"REVERSE", 1, 1, [](LispEvaluator&, const LispArgs& a) {
        if (!LispIsProperList(a[0]))
            Args::BadType(L"listp", a[0]);
        std::vector<LispRef> items = LispListItems(a[0]);
        return LispValue::List(std::vector<LispRef>(items.rbegin(), items.rend()));
    });
    Args::Def(e, L"LAST", 1, 1, [](LispEvaluator&, const LispArgs& a) -> LispRef {
        std::vector<LispRef> items = LispListItems(Args::List(a[0]));
        return items.empty() ? nullptr : items.back();
    });
    Args::Def(e, L"MEMBER", 2, 2, [](LispEvaluator&, const LispArgs& a) -> LispRef {
        for (LispRef list = Args::List(a[1]); list && list->Type() == LispType::Cons; list = list->Cdr())
            if (Args::Equal(a[0], list->Car()))
                return list;
        return nullptr;
    });
    Args::Def(e, L"ASSOC", 2, 2, [](LispEvaluator&, const LispArgs& a) -> LispRef {
        for (const LispValue* node = Args::List(a[1]).get(); node && node->Type() == LispType::Cons;
             node = node->Cdr().get()) {
            const LispRef& item = node->Car();
            if (item && item->Type() == LispType::Cons && Args::Equal(a[0], item->Car()))
                return item;
        }
        return nullptr;
    });
    Args::Def(e, L"MAPCAR", 2, -1, [](LispEvaluator& ev, const LispArgs& a) {
        // The lists are walked in step, the function found once: mapcar over
        // the points of an outline is the inner loop of drawing routines.
        LispRef function = ev.Resolve(a[0]);
        std::vector<const LispValue*> nodes;
        for (size_t i = 1; i < a.size(); ++i)
            nodes.push_back(Args::List(a[i]).get());
        std::vector<LispRef> results;
        LispArgs callArgs;
        for (;;) {
            callArgs.clear();
            for (const LispValue*& node : nodes) {
                if (!node || node->Type() != LispType::Cons)
                    return LispValue::List(results);
                callArgs.push_back(node->Car());
                node = node->Cdr().get();
            }
            results.push_back(ev.Apply(function, callArgs));
        }
    });
    Args::Def(e, L"APPLY", 2, 2, [](LispEvaluator& ev, const LispArgs& a) {
        if (!LispIsProperList(a[1]))
            Args::BadType(L"listp", a[1]);
        return ev.Apply(a[0], LispListItems(a[1]));
    });
    Args::Def(e, L"SUBST", 3, 3, [](LispEvaluator&, const LispArgs& a) {
        std::vector<LispRef> items = LispListItems(Args::List(a[2]));
        for (LispRef& item : items)
            if (Args::Equal(item, a[1]))
                item = a[0];
        return LispValue::List(items);
    });
    Args::Def(e, L"VL-SORT", 2, 2, [](LispEvaluator& ev, const LispArgs& a) {
        std::vector<LispRef> items = LispListItems(Args::List(a[0]));
        LispRef before = ev.Resolve(a[1]);
        LispArgs pair(2);
        std::stable_sort(items.begin(), items.end(), [&](const LispRef& x, const LispRef& y) {
            pair[0] = x;
            pair[1] = y;
            return ev.Apply(before, pair) != nullptr;
        });
        // Like AutoLISP, the sort keeps one of equal numbers.
        std::vector<LispRef> kept;
        for (const LispRef& item : items)
            if (kept.empty() || !(item && item->IsNumber() && Args::Eq(kept.back(), item)))
                kept.push_back(item);
        return LispValue::List(kept);
    });
    for (bool keep : {false, true}) {
        Args::Def(e, keep ? L"VL-REMOVE-IF-NOT" : L"VL-REMOVE-IF", 2, 2,
                  [keep](LispEvaluator& ev, const LispArgs& a) {
                      std::vector<LispRef> kept;
                      LispRef test = ev.Resolve(a[0]);
                      for (const LispRef& item : LispListItems(Args::List(a[1])))
                          if ((ev.Apply(test, {item}) != nullptr) == keep)
                              kept.push_back(item);
                      return LispValue::List(kept);
                  });
    }
    Args::Def(e, L"ATOM", 1, 1, [](LispEvaluator&, const LispArgs& a) {
        return Args::Bool(!a[0] || a[0]->Type() != LispType::Cons);
    });
    Args::Def(e, L"LISTP", 1, 1, [](LispEvaluator&, const LispArgs& a) { return Args::Bool(LispIsList(a[0])); });
    Args::Def(e, L"NULL", 1, 1, [](LispEvaluator&, const LispArgs& a) { return Args::Bool(!a[0]); });
    Args::Def(e, L"NOT", 1, 1, [](LispEvaluator&, const LispArgs& a) { return Args::Bool(!a[0]); });
    Args::Def(e, L"EQ", 2, 2, [](LispEvaluator&, const LispArgs& a) { return Args::Bool(Args::Eq(a[0], a[1])); });
    Args::Def(e, L"EQUAL", 2, 3, [](LispEvaluator&, const LispArgs& a) {
        if (a.size() == 3 && a[0] && a[1] && a[0]->IsNumber() && a[1]->IsNumber())
            return Args::Bool(std::fabs(a[0]->AsNumber() - a[1]->AsNumber()) <= Args::Num(a[2]));
        return Args::Bool(Args::Equal(a[0], a[1]));
    });
    Args::Def(e, L"TYPE", 1, 1, [](LispEvaluator&, const LispArgs& a) -> LispRef {
        if (!a[0])
            return nullptr;
        switch (a[0]->Type()) {
        case LispType::Integer: return LispValue::Symbol(L"INT");
        case LispType::Real: return LispValue::Symbol(L"REAL");
        case LispType::String: return LispValue::Symbol(L"STR");
        case LispType::Symbol: return LispValue::Symbol(L"SYM");
        case LispType::Cons: return LispValue::Symbol(L"LIST");
        case LispType::Lambda: return LispValue::Symbol(L"USUBR");
        case LispType::Builtin:
            return LispValue::Symbol(a[0]->AsBuiltin().kind == LispBuiltin::Kind::External
                                         ? L"EXRXSUBR" : L"SUBR");
        case LispType::EntityName: return LispValue::Symbol(L"ENAME");
        case LispType::SelectionSet: return LispValue::Symbol(L"PICKSET");
        case LispType::Void: return nullptr;
        }
        return nullptr;
    });
}

void LispBuiltins::InstallNumbers(LispEvaluator& e)
{
    Args::Def(e, L"+", 0, -1, [](LispEvaluator&, const LispArgs& a) { return Arithmetic(a, L'+'); });
    Args::Def(e, L"-", 0, -1, [](LispEvaluator&, const LispArgs& a) { return Arithmetic(a, L'-'); });
    Args::Def(e, L"*", 0, -1, [](LispEvaluator&, const LispArgs& a) {
        return a.empty() ? LispValue::Integer(0) : Arithmetic(a, L'*');
    });
    Args::Def(e, L"/", 0, -1, [](LispEvaluator&, const LispArgs& a) { return Arithmetic(a, L'/'); });
    Args::Def(e, L"1+", 1, 1, [](LispEvaluator&, const LispArgs& a) {
        return Arithmetic({a[0], LispValue::Integer(1)}, L'+');
    });
    Args::Def(e, L"1-", 1, 1, [](LispEvaluator&, const LispArgs& a) {
        return Arithmetic({a[0], LispValue::Integer(1)}, L'-');
    });
    Args::Def(e, L"=", 1, -1, [](LispEvaluator&, const LispArgs& a) {
        return Compare(a, [](int s) { return s == 0; });
    });
    Args::Def(e, L"/=", 1, -1, [](LispEvaluator&, const LispArgs& a) {
        return Compare(a, [](int s) { return s != 0; });
    });
    Args::Def(e, L"<", 1, -1, [](LispEvaluator&, const LispArgs& a) {
        return Compare(a, [](int s) { return s < 0; });
    });
    Args::Def(e, L">", 1, -1, [](LispEvaluator&, const LispArgs& a) {
        return Compare(a, [](int s) { return s > 0; });
    });
    Args::Def(e, L"<=", 1, -1, [](LispEvaluator&, const LispArgs& a) {
        return Compare(a, [](int s) { return s <= 0; });
    });
    Args::Def(e, L">=", 1, -1, [](LispEvaluator&, const LispArgs& a) {
        return Compare(a, [](int s) { return s >= 0; });
    });
    Args::Def(e, L"ABS", 1, 1, [](LispEvaluator&, const LispArgs& a) {
        Args::Num(a[0]);
        if (a[0]->Type() == LispType::Integer)
            return LispValue::Integer(Wrap(std::llabs(a[0]->AsInteger())));
        return LispValue::Real(std::fabs(a[0]->AsReal()));
    });
    Args::Def(e, L"MIN", 1, -1, [](LispEvaluator&, const LispArgs& a) {
        return Extreme(a, [](double x, double best) { return x < best; });
    });
    Args::Def(e, L"MAX", 1, -1, [](LispEvaluator&, const LispArgs& a) {
        return Extreme(a, [](double x, double best) { return x > best; });
    });
    Args::Def(e, L"REM", 2, 2, [](LispEvaluator&, const LispArgs& a) {
        Args::Num(a[0]);
        Args::Num(a[1]);
        if (a[1]->AsNumber() == 0)
            throw LispEvalError(L"divide by zero");
        if (a[0]->Type() == LispType::Integer && a[1]->Type() == LispType::Integer)
            return LispValue::Integer(Wrap(static_cast<long long>(a[0]->AsInteger())
                                           % a[1]->AsInteger()));
        return LispValue::Real(std::fmod(a[0]->AsNumber(), a[1]->AsNumber()));
    });
    Args::Def(e, L"FIX", 1, 1, [](LispEvaluator&, const LispArgs& a) {
        double v = std::trunc(Args::Num(a[0]));
        if (!(v >= INT32_MIN && v <= INT32_MAX))   // also NaN
            return LispValue::Real(v);
        return LispValue::Integer(static_cast<std::int32_t>(v));
    });
    Args::Def(e, L"FLOAT", 1, 1, [](LispEvaluator&, const LispArgs& a) {
        return LispValue::Real(Args::Num(a[0]));
    });
}

void LispBuiltins::InstallStrings(LispEvaluator& e)
{
    Args::Def(e, L"STRCAT", 0, -1, [](LispEvaluator&, const LispArgs& a) {
        std::wstring text;
        for (const LispRef& part : a)
            text += Args::Str(part);
        return LispValue::String(std::move(text));
    });
    Args::Def(e, L"STRLEN", 0, -1, [](LispEvaluator&, const LispArgs& a) {
        size_t length = 0;
        for (const LispRef& part : a)
            length += Args::Str(part).size();
        return LispValue::Integer(static_cast<std::int32_t>(length));
    });
    Args::Def(e, L"SUBSTR", 2, 3, [](LispEvaluator&, const LispArgs& a) {
        const std::wstring& text = Args::Str(a[0]);
        std::int32_t start = Args::Int(a[1]);
        if (start < 1)
            throw LispEvalError(L"bad argument value: positive: " + std::to_wstring(start));
        size_t count = std::wstring::npos;
        if (a.size() == 3) {
            std::int32_t length = Args::Int(a[2]);
            if (length < 0)
                throw LispEvalError(L"bad argument value: non-negative: "
                                    + std::to_wstring(length));
            count = static_cast<size_t>(length);
        }
        size_t first = static_cast<size_t>(start) - 1;
        if (first >= text.size())
            return LispValue::String(L"");
        return LispValue::String(text.substr(first, count));
    });
    Args::Def(e, L"STRCASE", 1, 2, [](LispEvaluator&, const LispArgs& a) {
        std::wstring text = Args::Str(a[0]);
        bool lower = a.size() == 2 && a[1];
        for (wchar_t& ch : text)
            ch = static_cast<wchar_t>(lower ? std::towlower(ch) : std::towupper(ch));
        return LispValue::String(std::move(text));
    });
    Args::Def(e, L"WCMATCH", 2, 2, [](LispEvaluator&, const LispArgs& a) {
        const std::wstring& text = Args::Str(a[0]);
        return Args::Bool(LispWildcard(Args::Str(a[1])).Matches(text));
    });
    Args::Def(e, L"ITOA", 1, 1, [](LispEvaluator&, const LispArgs& a) {
        return LispValue::String(std::to_wstring(Args::Int(a[0])));
    });
    Args::Def(e, L"ATOI", 1, 1, [](LispEvaluator&, const LispArgs& a) {
        long long v = std::wcstoll(Args::Str(a[0]).c_str(), nullptr, 10);
        return LispValue::Integer(Wrap(v));
    });
    Args::Def(e, L"ATOF", 1, 1, [](LispEvaluator&, const LispArgs& a) {
        return LispValue::Real(std::wcstod(Args::Str(a[0]).c_str(), nullptr));
    });
}

void LispBuiltins::InstallInputOutput(LispEvaluator& e)
{
    Args::Def(e, L"PRINC", 0, 1, [](LispEvaluator& ev, const LispArgs& a) {
        if (a.empty())
            return LispValue::Void();
        ev.Host().Write(LispPrinter::Princ(a[0]));
        return a[0];
    });
    Args::Def(e, L"PRIN1", 0, 1, [](LispEvaluator& ev, const LispArgs& a) {
        if (a.empty())
            return LispValue::Void();
        ev.Host().Write(LispPrinter::Prin1(a[0]));
        return a[0];
    });
    Args::Def(e, L"PRINT", 0, 1, [](LispEvaluator& ev, const LispArgs& a) {
        if (a.empty())
            return LispValue::Void();
        ev.Host().Write(L"\n" + LispPrinter::Prin1(a[0]) + L" ");
        return a[0];
    });
    Args::Def(e, L"TERPRI", 0, 0, [](LispEvaluator& ev, const LispArgs&) -> LispRef {
        ev.Host().Write(L"\n");
        return nullptr;
    });
    Args::Def(e, L"GETVAR", 1, 1, [](LispEvaluator& ev, const LispArgs& a) {
        return ev.Host().GetVar(Args::Str(a[0]));
    });
    Args::Def(e, L"LOAD", 1, 2, [](LispEvaluator& ev, const LispArgs& a) -> LispRef {
        const std::wstring& name = Args::Str(a[0]);
        std::wstring text;
        if (!ReadLoadFile(ev.Host(), name, text)) {
            if (a.size() == 2)
                return a[1];
            throw LispEvalError(L"LOAD failed: " + LispPrinter::QuoteString(name));
        }
        LispReader reader(text);
        LispRef form;
        LispRef result;
        while (reader.Read(form))
            result = ev.Eval(form);
        return result;
    });
}
