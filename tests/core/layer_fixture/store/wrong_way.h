#pragma once

// A store header that reaches up into the engine: the core layer check must refuse it.
#include "engine/holdings.h"
#include "records/ledger_record.h"
