#include "LotDialogCommand.h"

#include "arx/adscodes.h"

// Until the lot table dialog exists, LOTDIALOG accepts any arguments and
// gives no value.
int LotDialogCommand()
{
    return RTNORM;
}
