#pragma once

// The shared routines that know nothing of loans, under the name the program has always used
// for them: the plan entry, rate-archive access and the worksheet export.
#include "common/archive.h"
#include "common/ttqhd.h"
#include "common/xls.h"
