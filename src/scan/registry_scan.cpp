#include "scan/stages.h"

namespace scan {

// The registry definitions are not matched yet: this stage finds nothing.
void ScanRegistry(ScanContext&) {}

}  // namespace scan
