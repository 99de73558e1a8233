#pragma once

namespace qvtest {

// The number of GDI objects alive in this process. GetGuiResources answers 0 under Wine, so this
// probes every handle index with GetObjectType (Wine's table also takes handles whose high word is
// zero). Compare two counts taken around the code under test.
int liveGdiObjects();

} // namespace qvtest
