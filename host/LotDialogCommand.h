#pragma once

// The handler of the LISP function LOTDIALOG: RTNORM or RTERROR.
int LotDialogCommand();
