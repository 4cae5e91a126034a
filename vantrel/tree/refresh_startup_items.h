// RefreshData's portable core: bring Vantrel's own Run value in line with
// the startup type, re-read proggroup.c, read both Startup folders and both
// Run keys, and rebuild the item tree from scratch, keeping the expanded
// state of the category nodes and marking unknown programs bold.
#pragma once

#include "common/store/delay_load.h"
#include "common/tree_model.h"
#include "vantrel/app/app_context.h"
#include "vantrel/tree/startup_tree.h"

namespace vantrel {

// progress is told 0, 33 1/3, 66 2/3, 75, 95, 100 and 0 again.
void RefreshStartupItems(AppContext& context, CDelayLoad& store, TreeModel& tree,
                         StartupItemLists& lists, const RefreshProgress& progress = {});

// The four Windows locations as they are now. A Startup folder whose path is
// unknown (empty) holds nothing, rather than whatever the current drive's
// root holds.
StartupItemLists ReadStartupLocations(AppContext& context);

} // namespace vantrel
