#include "LispEvaluator.h"

#include <utility>

#include "LispBuiltins.h"
#include "LispError.h"
#include "LispPrinter.h"
#include "LispStackGuard.h"

namespace {

bool IsTrue(const LispRef& value)
{
    return value != nullptr;
}

// The number of forms of a proper list. An improper list is refused before
// any of its forms is evaluated. Counting walks the cells without copying
// them: the evaluator runs this for every call, so it must stay cheap.
size_t FormCount(const LispRef& args)
{
    size_t count = 0;
    const LispValue* node = args.get();
    for (; node && node->Type() == LispType::Cons; node = node->Cdr().get())
        ++count;
    if (node)
        throw LispEvalError(L"bad argument list tail: " + LispPrinter::Prin1(args));
    return count;
}

void RequireCount(size_t count, size_t least, size_t most)
{
    if (count < least)
        throw LispEvalError(L"too few arguments");
    if (count > most)
        throw LispEvalError(L"too many arguments");
}

// The form after `node` in a list already counted.
const LispValue* Next(const LispValue* node)
{
    return node->Cdr().get();
}

const std::wstring& RequireSymbol(const LispRef& value)
{
    if (!value || value->Type() != LispType::Symbol)
        throw LispEvalError(L"bad argument type: symbolp: " + LispPrinter::Prin1(value));
    return value->SymbolName();
}

}  // namespace

// Dynamic binding of a function's parameters and locals (and of foreach's
// variable): the old values come back when the binding ends, error or not.
// The old values wait on the evaluator's one stack, so that a call allocates
// nothing for them.
class LispEvaluator::DynamicBinding {
public:
    explicit DynamicBinding(LispEvaluator& evaluator)
        : m_evaluator(evaluator), m_mark(evaluator.m_savedBindings.size())
    {
    }
    ~DynamicBinding()
    {
        auto& saved = m_evaluator.m_savedBindings;
        while (saved.size() > m_mark) {
            m_evaluator.SetGlobal(*saved.back().first, std::move(saved.back().second));
            saved.pop_back();
        }
    }
    DynamicBinding(const DynamicBinding&) = delete;
    DynamicBinding& operator=(const DynamicBinding&) = delete;

    // The name is kept by reference: it belongs to the lambda or the form
    // being evaluated, which outlive the binding.
    void Bind(const std::wstring& name, LispRef value)
    {
        m_evaluator.m_savedBindings.emplace_back(&name, m_evaluator.Global(name));
        m_evaluator.SetGlobal(name, std::move(value));
    }

private:
    LispEvaluator& m_evaluator;
    size_t m_mark;
};

// The argument vector of one call, taken from a stack of vectors that keep
// their capacity: allocating one for every call cost more than the call.
// Nested calls (an argument that is itself a call, a builtin that calls
// back) each take the next vector; the lease empties its vector on return.
class LispEvaluator::ArgumentsLease {
public:
    explicit ArgumentsLease(LispEvaluator& evaluator) : m_evaluator(evaluator)
    {
        if (m_evaluator.m_argumentDepth == m_evaluator.m_argumentStack.size())
            m_evaluator.m_argumentStack.emplace_back();
        m_args = &m_evaluator.m_argumentStack[m_evaluator.m_argumentDepth++];
    }
    ~ArgumentsLease()
    {
        m_args->clear();
        --m_evaluator.m_argumentDepth;
    }
    ArgumentsLease(const ArgumentsLease&) = delete;
    ArgumentsLease& operator=(const ArgumentsLease&) = delete;

    LispArgs& Args() { return *m_args; }

private:
    LispEvaluator& m_evaluator;
    LispArgs* m_args;
};

LispEvaluator::LispEvaluator(LispHost& host) : m_host(host)
{
    m_globals[L"T"] = LispValue::T();
    m_globals[L"PI"] = LispValue::Real(3.14159265358979323846);
    LispBuiltins::Install(*this);
}

// The special form of a name, or none. Decided by the name's length and a
// few comparisons: most calls are function calls, and hashing every head for
// a table of special forms cost more than the calls' own work.
LispEvaluator::SpecialForm LispEvaluator::FindSpecialForm(const std::wstring& name)
{
    switch (name.size()) {
    case 2:
        return name == L"IF" ? &LispEvaluator::If : name == L"OR" ? &LispEvaluator::Or : nullptr;
    case 3:
        return name == L"AND" ? &LispEvaluator::And : nullptr;
    case 4:
        return name == L"SETQ" ? &LispEvaluator::Setq : name == L"COND" ? &LispEvaluator::Cond : nullptr;
    case 5:
        return name == L"QUOTE"   ? &LispEvaluator::Quote
               : name == L"DEFUN" ? &LispEvaluator::Defun
               : name == L"PROGN" ? &LispEvaluator::Progn
               : name == L"WHILE" ? &LispEvaluator::While
                                  : nullptr;
    case 6:
        return name == L"LAMBDA" ? &LispEvaluator::Lambda
               : name == L"REPEAT" ? &LispEvaluator::Repeat
                                   : nullptr;
    case 7:
        return name == L"FOREACH" ? &LispEvaluator::Foreach : nullptr;
    case 8:
        return name == L"FUNCTION" ? &LispEvaluator::Function : nullptr;
    default:
        return nullptr;
    }
}

LispRef LispEvaluator::Global(const std::wstring& name) const
{
    auto it = m_globals.find(name);
    return it == m_globals.end() ? nullptr : it->second;
}

void LispEvaluator::SetGlobal(const std::wstring& name, LispRef value)
{
    // A variable set to nil keeps its entry: a function's locals are set to
    // nil and back on every call, and an entry made anew costs allocations.
    auto it = m_globals.find(name);
    if (it != m_globals.end())
        it->second = std::move(value);
    else if (value)
        m_globals.emplace(name, std::move(value));
}

void LispEvaluator::Define(LispBuiltin builtin)
{
    std::wstring name = builtin.name;
    SetGlobal(name, LispValue::Function(std::move(builtin)));
}

LispRef LispEvaluator::Eval(const LispRef& form)
{
    if (!form)
        return nullptr;
    switch (form->Type()) {
    case LispType::Symbol:
        return Global(form->SymbolName());
    case LispType::Cons:
        LispStackGuard::Check();
        return EvalCall(*form);
    default:
        return form;
    }
}

LispRef LispEvaluator::EvalCall(const LispValue& form)
{
    const LispRef& head = form.Car();
    LispRef function;
    if (head && head->Type() == LispType::Symbol) {
        if (SpecialForm special = FindSpecialForm(head->SymbolName()))
            return (this->*special)(form.Cdr());
        function = Global(head->SymbolName());
        if (!function || !function->IsFunction())
            throw LispEvalError(L"no function definition: " + head->SymbolName());
    } else {
        function = Eval(head);
        if (!function || !function->IsFunction())
            throw LispEvalError(L"bad function: " + LispPrinter::Prin1(head));
    }
    size_t count = FormCount(form.Cdr());
    ArgumentsLease lease(*this);
    LispArgs& args = lease.Args();
    args.reserve(count);
    for (const LispValue* node = form.Cdr().get(); node; node = Next(node))
        args.push_back(Eval(node->Car()));
    return Apply(function, args);
}

LispRef LispEvaluator::Resolve(const LispRef& function)
{
    // (mapcar 'strcase ...) and (mapcar '(lambda ...) ...) pass a function's
    // name or its unevaluated lambda form, as AutoLISP allows.
    LispRef callee;
    if (function && function->Type() == LispType::Symbol)
        callee = Global(function->SymbolName());
    else if (function && function->Type() == LispType::Cons && function->Car()
             && function->Car()->IsSymbol(L"LAMBDA"))
        callee = Eval(function);
    // What names no function stays itself, so that the error names it.
    return callee && callee->IsFunction() ? callee : function;
}

LispRef LispEvaluator::Apply(const LispRef& function, const LispArgs& args)
{
    LispRef resolved;
    const LispRef* callee = &function;
    if (!function || !function->IsFunction()) {
        resolved = Resolve(function);
        callee = &resolved;
    }
    if (!*callee || !(*callee)->IsFunction())
        throw LispEvalError(L"bad function: " + LispPrinter::Prin1(function));
    if ((*callee)->Type() == LispType::Lambda)
        return CallLambda((*callee)->AsLambda(), args);
    const LispBuiltin& builtin = (*callee)->AsBuiltin();
    if (static_cast<int>(args.size()) < builtin.minArgs)
        throw LispEvalError(L"too few arguments");
    if (builtin.maxArgs >= 0 && static_cast<int>(args.size()) > builtin.maxArgs)
        throw LispEvalError(L"too many arguments");
    return builtin.call(*this, args);
}

LispRef LispEvaluator::CallLambda(const LispLambda& lambda, const LispArgs& args)
{
    if (args.size() < lambda.params.size())
        throw LispEvalError(L"too few arguments");
    if (args.size() > lambda.params.size())
        throw LispEvalError(L"too many arguments");
    LispStackGuard::Check();
    DynamicBinding binding(*this);
    for (size_t i = 0; i < args.size(); ++i)
        binding.Bind(lambda.params[i], args[i]);
    for (const std::wstring& local : lambda.locals)
        binding.Bind(local, nullptr);
    return EvalBody(lambda.body);
}

LispRef LispEvaluator::EvalBody(const LispRef& forms)
{
    FormCount(forms);
    LispRef result;
    for (const LispValue* node = forms.get(); node; node = Next(node))
        result = Eval(node->Car());
    return result;
}

LispLambda LispEvaluator::MakeLambda(const std::wstring& name, const LispRef& definition)
{
    // definition: (params... [/ locals...]) body...
    RequireCount(FormCount(definition), 1, SIZE_MAX);
    const LispRef& parameters = definition->Car();
    if (!LispIsProperList(parameters))
        throw LispEvalError(L"bad argument list: " + LispPrinter::Prin1(parameters));
    LispLambda lambda;
    lambda.name = name;
    bool locals = false;
    for (const LispRef& item : LispListItems(parameters)) {
        if (item && item->IsSymbol(L"/")) {
            if (locals)
                throw LispEvalError(L"bad argument list: " + LispPrinter::Prin1(parameters));
            locals = true;
            continue;
        }
        const std::wstring& symbol = RequireSymbol(item);
        (locals ? lambda.locals : lambda.params).push_back(symbol);
    }
    lambda.body = definition->Cdr();
    return lambda;
}

LispRef LispEvaluator::Quote(const LispRef& args)
{
    RequireCount(FormCount(args), 1, 1);
    return args->Car();
}

LispRef LispEvaluator::Setq(const LispRef& args)
{
    size_t count = FormCount(args);
    if (count == 0 || count % 2 != 0)
        throw LispEvalError(L"too few arguments");
    LispRef value;
    for (const LispValue* node = args.get(); node; node = Next(Next(node))) {
        const std::wstring& name = RequireSymbol(node->Car());
        if (name == L"T" || name == L"NIL")
            throw LispEvalError(L"attempt to set constant: " + name);
        value = Eval(Next(node)->Car());
        SetGlobal(name, value);
    }
    return value;
}

LispRef LispEvaluator::Defun(const LispRef& args)
{
    RequireCount(FormCount(args), 2, SIZE_MAX);
    const std::wstring& name = RequireSymbol(args->Car());
    SetGlobal(name, LispValue::Function(MakeLambda(name, args->Cdr())));
    return args->Car();
}

LispRef LispEvaluator::Lambda(const LispRef& args)
{
    return LispValue::Function(MakeLambda(L"", args));
}

LispRef LispEvaluator::Function(const LispRef& args)
{
    RequireCount(FormCount(args), 1, 1);
    const LispRef& form = args->Car();
    if (form && form->Type() == LispType::Symbol)
        return Global(form->SymbolName());
    return Eval(form);
}

LispRef LispEvaluator::Progn(const LispRef& args)
{
    return EvalBody(args);
}

LispRef LispEvaluator::If(const LispRef& args)
{
    size_t count = FormCount(args);
    RequireCount(count, 2, 3);
    const LispValue* then = Next(args.get());
    if (IsTrue(Eval(args->Car())))
        return Eval(then->Car());
    return count == 3 ? Eval(Next(then)->Car()) : nullptr;
}

LispRef LispEvaluator::Cond(const LispRef& args)
{
    FormCount(args);
    for (const LispValue* node = args.get(); node; node = Next(node)) {
        const LispRef& clause = node->Car();
        if (!clause || clause->Type() != LispType::Cons)
            throw LispEvalError(L"bad argument type: consp: " + LispPrinter::Prin1(clause));
        LispRef test = Eval(clause->Car());
        if (IsTrue(test))
            return clause->Cdr() ? EvalBody(clause->Cdr()) : test;
    }
    return nullptr;
}

LispRef LispEvaluator::And(const LispRef& args)
{
    FormCount(args);
    for (const LispValue* node = args.get(); node; node = Next(node))
        if (!IsTrue(Eval(node->Car())))
            return nullptr;
    return LispValue::T();
}

LispRef LispEvaluator::Or(const LispRef& args)
{
    FormCount(args);
    for (const LispValue* node = args.get(); node; node = Next(node))
        if (IsTrue(Eval(node->Car())))
            return LispValue::T();
    return nullptr;
}

LispRef LispEvaluator::Foreach(const LispRef& args)
{
    RequireCount(FormCount(args), 2, SIZE_MAX);
    const std::wstring& name = RequireSymbol(args->Car());
    LispRef list = Eval(Next(args.get())->Car());
    if (!LispIsList(list))
        throw LispEvalError(L"bad argument type: listp: " + LispPrinter::Prin1(list));
    LispRef body = args->Cdr()->Cdr();
    LispRef result;
    DynamicBinding binding(*this);
    binding.Bind(name, nullptr);
    for (const LispValue* node = list.get(); node && node->Type() == LispType::Cons;
         node = node->Cdr().get()) {
        SetGlobal(name, node->Car());
        result = EvalBody(body);
    }
    return result;
}

LispRef LispEvaluator::While(const LispRef& args)
{
    RequireCount(FormCount(args), 1, SIZE_MAX);
    LispRef result;
    while (IsTrue(Eval(args->Car())))
        result = EvalBody(args->Cdr());
    return result;
}

LispRef LispEvaluator::Repeat(const LispRef& args)
{
    RequireCount(FormCount(args), 1, SIZE_MAX);
    LispRef count = Eval(args->Car());
    if (!count || count->Type() != LispType::Integer)
        throw LispEvalError(L"bad argument type: fixnump: " + LispPrinter::Prin1(count));
    LispRef result;
    for (std::int32_t i = 0; i < count->AsInteger(); ++i)
        result = EvalBody(args->Cdr());
    return result;
}
