#pragma once
// A broken property aborts, so that libFuzzer keeps the input that broke it as a crash.
#include <cstdio>
#include <cstdlib>

namespace quorel::fuzz {

inline void requireThat(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

}  // namespace quorel::fuzz
