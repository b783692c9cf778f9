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
    // The functions over the drawing and the math of points, one file each.
    static void InstallMath(LispEvaluator& evaluator);
    static void InstallEntities(LispEvaluator& evaluator);
    static void InstallSelection(LispEvaluator& evaluator);
    static void InstallTables(LispEvaluator& evaluator);
    static void InstallDictionaries(LispEvaluator& evaluator);
};
