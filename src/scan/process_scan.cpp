#include "scan/stages.h"

namespace scan {

// The running-program definitions are not matched yet: this stage finds nothing.
void ScanMemory(ScanContext&) {}

}  // namespace scan
