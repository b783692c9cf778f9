#pragma once

#include "arx/adscodes.h"
#include "arx/arxexport.h"

// The module's two exports, through which the host talks to it.

// Host messages: application loaded (the dynamic linker may unload the module
// again and it serves several drawings), drawing loaded/unloaded (LOTDIALOG
// registered/removed), LISP function invoked (dispatch). Always kRetOK.
ARXMODULE_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId);

// The interface version the module was built against.
ARXMODULE_EXPORT int acrxGetApiVersion();
