#pragma once

class LispEvaluator;

// The built-in functions of the host's AutoLISP.
class LispBuiltins {
public:
    static void Install(LispEvaluator& evaluator);

private:
    static void InstallLists(LispEvaluator& evaluator);
    static void InstallNumbers(LispEvaluator& evaluator);
    static void InstallStrings(LispEvaluator& evaluator);
    static void InstallInputOutput(LispEvaluator& evaluator);
    static void InstallCommand(LispEvaluator& evaluator);
};
