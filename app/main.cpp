#include "app/Startup.h"
#include "platform/os/ProcessMemory.h"
#include "platform/os/ProgramCommandLine.h"

int main(int argc, char** argv) {
    PrepareHeapForLargeBlocks();
    return RunProgram(ProgramCommandLine(argc, argv));
}
