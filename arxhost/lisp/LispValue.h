#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

// AutoLISP data. Values are immutable and shared; nil is the null reference.
//
// Kinds: integers (32-bit, wrapping as AutoLISP's do), reals, strings,
// symbols (names kept in upper case), cons cells, functions (built-in,
// user-defined with defun or lambda, and the external functions that modules
// register), the blank value of a call that produced no value, and the
// drawing's entity names and selection sets. A selection set is the one
// value that changes: ssadd and ssdel change the set that every holder sees.

class LispValue;
class LispEvaluator;
class SelectionSet;
using LispRef = std::shared_ptr<const LispValue>;
using LispArgs = std::vector<LispRef>;

enum class LispType { Integer, Real, String, Symbol, Cons, Builtin, Lambda, Void, EntityName,
                      SelectionSet };

// A function implemented in C++: built-ins and external functions.
struct LispBuiltin {
    enum class Kind { Subr, External };
    std::wstring name;
    int minArgs = 0;
    int maxArgs = -1;   // -1: no upper limit
    Kind kind = Kind::Subr;
    std::function<LispRef(LispEvaluator&, const LispArgs&)> call;
};

// A function defined in LISP: parameters, local variables and body forms.
struct LispLambda {
    std::wstring name;   // empty for lambda
    std::vector<std::wstring> params;
    std::vector<std::wstring> locals;
    LispRef body;        // list of forms
};

class LispValue {
public:
    struct Cons {
        LispRef car;
        LispRef cdr;
    };
    struct SymbolData {
        std::wstring name;
    };
    struct VoidTag {};
    struct EntityNameData {
        std::uint32_t record;   // the drawing's record of the entity, table entry or object
    };

    static LispRef Integer(std::int32_t value);
    static LispRef Real(double value);
    static LispRef String(std::wstring text);
    static LispRef Symbol(const std::wstring& name);   // name upper-cased
    static LispRef MakeCons(LispRef car, LispRef cdr);
    static LispRef Function(LispBuiltin builtin);
    static LispRef Function(LispLambda lambda);
    static LispRef T();
    static LispRef Void();
    static LispRef List(const std::vector<LispRef>& items);
    static LispRef EntityName(std::uint32_t record);
    static LispRef Selection(std::shared_ptr<SelectionSet> set);

    LispType Type() const;
    bool IsNumber() const { return Type() == LispType::Integer || Type() == LispType::Real; }
    bool IsFunction() const { return Type() == LispType::Builtin || Type() == LispType::Lambda; }

    std::int32_t AsInteger() const { return std::get<std::int32_t>(m_value); }
    double AsReal() const { return std::get<double>(m_value); }
    double AsNumber() const;   // integer or real as a double
    const std::wstring& AsString() const { return std::get<std::wstring>(m_value); }
    const std::wstring& SymbolName() const { return std::get<SymbolData>(m_value).name; }
    const LispRef& Car() const { return std::get<Cons>(m_value).car; }
    const LispRef& Cdr() const { return std::get<Cons>(m_value).cdr; }
    const LispBuiltin& AsBuiltin() const { return std::get<LispBuiltin>(m_value); }
    const LispLambda& AsLambda() const { return std::get<LispLambda>(m_value); }
    std::uint32_t AsEntityName() const { return std::get<EntityNameData>(m_value).record; }
    SelectionSet& AsSelection() const { return *std::get<std::shared_ptr<SelectionSet>>(m_value); }

    bool IsSymbol(const wchar_t* name) const;

    // Long lists and deep nests are released without recursion.
    ~LispValue();

private:
    using Storage = std::variant<std::int32_t, double, std::wstring, SymbolData, Cons,
                                 LispBuiltin, LispLambda, VoidTag, EntityNameData,
                                 std::shared_ptr<SelectionSet>>;
    // Only the factories above make values; the key lets them do so through
    // make_shared, which puts the value and its count in one allocation.
    struct Key {
        explicit Key() = default;
    };

    // Values come from a list of freed blocks before the heap.
    template <class... Args>
    static LispRef Make(Args&&... args);

public:
    LispValue(Key, Storage value) : m_value(std::move(value)) {}

private:

    Storage m_value;
};

// Helpers over lists.
bool LispIsList(const LispRef& value);         // nil or a cons
bool LispIsProperList(const LispRef& value);   // ends in nil
std::vector<LispRef> LispListItems(const LispRef& list);   // items of a proper list
