#include "scan/stages.h"

namespace scan {

// The cookie definitions are not matched yet: this stage finds nothing.
void ScanCookies(ScanContext&) {}

}  // namespace scan
