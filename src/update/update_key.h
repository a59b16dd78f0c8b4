#pragma once

#include <string>

namespace update {

// The definition server's public key the program was built with (build setting
// UPDATE_PUBLIC_KEY), as the raw 64 bytes Signatures::Verify takes; empty for a build without
// one, which takes unsigned answers.
std::string BuiltPublicKey();

}  // namespace update
