#include "LispFunctionTable.h"

#include "LotDialogCommand.h"
#include "arx/acedads.h"
#include "arx/adscodes.h"

FunctionEntry LispFunctionTable[LispFunctionCount] = {
    {L"LOTDIALOG", LotDialogCommand},
};

int RegisterFunctions()
{
    for (int i = 0; i < LispFunctionCount; ++i)
        if (!acedDefun(LispFunctionTable[i].Name, i))
            return RTERROR;
    return RTNORM;
}

int UnregisterFunctions()
{
    for (int i = 0; i < LispFunctionCount; ++i)
        acedUndef(LispFunctionTable[i].Name, i);
    return RTNORM;
}

int DispatchFunction()
{
    // A handler that sets no result leaves the call without a value.
    acedRetVoid();
    int code = acedGetFunCode();
    if (code < 0 || code >= LispFunctionCount)
        return RTERROR;
    return LispFunctionTable[code].Handler() == RTNORM ? RSRSLT : RSERR;
}
