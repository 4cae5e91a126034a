// Starting every program of one group now, each after its own delay: the
// tray menu's "Run All".
#pragma once

#include "common/store/store_tables.h"
#include "vantrel/app/app_context.h"

namespace vantrel {

// Programs with an empty path are skipped; a shortcut found in neither items
// folder is passed on with an empty path (and so logged as failing). There
// is no main delay and no test of the command word. The run ends when
// AbortWait is set or a delay is too large for the wait.
void RunGroup(AppContext& context, StoreIndex group);

} // namespace vantrel
