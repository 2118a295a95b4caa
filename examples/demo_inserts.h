// The demo's plug-ins: their definitions and each track's inserts, active
// and inactive, with the track comments that share the same records.
#ifndef KESTRIX_DEMO_INSERTS_H
#define KESTRIX_DEMO_INSERTS_H

#include "session_writer.h"

#include <vector>

namespace demo {

// 0x1017 blocks: one per plug-in and channel format it is used in, plus one
// that no track uses.
std::vector<ptxw::Block> pluginDefinitions();

// 0x2624: a settings record for every track with inserts or a comment.
ptxw::Block trackSettings();

} // namespace demo

#endif
