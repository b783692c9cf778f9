#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "LispValue.h"

// What the built-in functions share: binding one to its name, and the checks
// of their arguments, each failing with AutoLISP's error for the kind of
// value it wanted ("bad argument type: numberp: nil").
class LispBuiltinArgs {
public:
    using Call = std::function<LispRef(LispEvaluator&, const LispArgs&)>;

    static void Def(LispEvaluator& evaluator, const wchar_t* name, int minArgs, int maxArgs,
                    Call call);

    [[noreturn]] static void BadType(const wchar_t* predicate, const LispRef& value);
    static LispRef Bool(bool value) { return value ? LispValue::T() : nullptr; }

    static const std::wstring& Str(const LispRef& value);    // stringp
    static std::int32_t Int(const LispRef& value);           // fixnump
    static double Num(const LispRef& value);                 // numberp
    static const LispRef& List(const LispRef& value);        // listp
    // A point: a list of two or three numbers ("2D/3D point").
    static std::vector<double> Point(const LispRef& value);

    // AutoLISP's equal (same structure, numbers by value) and eq (the same
    // object; numbers, symbols and entity names by value).
    static bool Equal(const LispRef& a, const LispRef& b);
    static bool Eq(const LispRef& a, const LispRef& b);
};
