#pragma once

// Prepares the process's heap for a program that paints full-screen faces and surfaces of
// several megabytes each, before anything else runs. Only advice to the allocator: where the
// platform has none to give, nothing changes.
void PrepareHeapForLargeBlocks();
