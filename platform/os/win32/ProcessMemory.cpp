#include "platform/os/ProcessMemory.h"

// The system's heap keeps large blocks in reserved memory of its own and has no advice that
// would spare their page faults.
void PrepareHeapForLargeBlocks() {}
