#pragma once

#include <deque>
#include <string>
#include <unordered_map>

#include "LispHost.h"
#include "LispValue.h"

// Evaluates AutoLISP forms. Variables are dynamically scoped as in AutoLISP:
// a function's parameters and locals shadow the global values while it runs
// and are restored when it returns, also after an error.
//
// Special forms: quote, setq, defun, lambda, function, progn, if, cond,
// and, or, foreach, while, repeat. Everything else is a function call; the
// built-in functions are installed by LispBuiltins, external ones by the host.
class LispEvaluator {
public:
    explicit LispEvaluator(LispHost& host);

    LispRef Eval(const LispRef& form);
    LispRef Apply(const LispRef& function, const LispArgs& args);
    // The function that a function value, a function's name or a lambda
    // form stands for; anything else is answered as it is, for Apply to
    // refuse by its own name.
    LispRef Resolve(const LispRef& function);

    LispRef Global(const std::wstring& name) const;
    void SetGlobal(const std::wstring& name, LispRef value);
    // Binds a built-in function to its name.
    void Define(LispBuiltin builtin);

    LispHost& Host() { return m_host; }

private:
    using SpecialForm = LispRef (LispEvaluator::*)(const LispRef& args);
    class ArgumentsLease;
    class DynamicBinding;

    static SpecialForm FindSpecialForm(const std::wstring& name);
    LispRef EvalCall(const LispValue& form);
    LispRef EvalBody(const LispRef& forms);
    LispRef CallLambda(const LispLambda& lambda, const LispArgs& args);
    static LispLambda MakeLambda(const std::wstring& name, const LispRef& definition);

    LispRef Quote(const LispRef& args);
    LispRef Setq(const LispRef& args);
    LispRef Defun(const LispRef& args);
    LispRef Lambda(const LispRef& args);
    LispRef Function(const LispRef& args);
    LispRef Progn(const LispRef& args);
    LispRef If(const LispRef& args);
    LispRef Cond(const LispRef& args);
    LispRef And(const LispRef& args);
    LispRef Or(const LispRef& args);
    LispRef Foreach(const LispRef& args);
    LispRef While(const LispRef& args);
    LispRef Repeat(const LispRef& args);

    LispHost& m_host;
    std::unordered_map<std::wstring, LispRef> m_globals;
    // Argument vectors of the calls under way, innermost last; a deque, so
    // that a vector in use stays where it is when a deeper call adds one.
    std::deque<LispArgs> m_argumentStack;
    size_t m_argumentDepth = 0;
    // The values that the bindings under way shadow, innermost last.
    std::vector<std::pair<const std::wstring*, LispRef>> m_savedBindings;
};
