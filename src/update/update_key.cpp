#include "update/update_key.h"

#include "update/signed_answer.h"

// The build setting arrives here only, so that changing it rebuilds one file. CMake has checked
// that it is empty or 128 hexadecimal digits.
#ifndef UPDATE_PUBLIC_KEY
#define UPDATE_PUBLIC_KEY ""
#endif

namespace update {

std::string BuiltPublicKey() {
  return FromHex(UPDATE_PUBLIC_KEY).value_or("");
}

}  // namespace update
