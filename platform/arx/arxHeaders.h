#pragma once

// Everything of the host interface that a module uses.
#include "AcRxClass.h"
#include "AcRxDictionary.h"
#include "AcRxDynamicLinker.h"
#include "AcRxObject.h"
#include "acdb.h"
#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "adsdef.h"
#include "rxregsvc.h"
