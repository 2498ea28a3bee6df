// Stand-in for a header the GNUstep packages refer to but do not ship; the block runtime's own
// declarations come with the compiler's -fblocks support.
#pragma once
