// Loops built twice, for AVX2 and for any x86-64, with the loader picking one at start. The
// thread-checked build keeps one plain copy: the loader runs the picker before the checker's
// runtime is ready, and the checked picker then crashes.
#pragma once

#if defined(__SANITIZE_THREAD__)
#define QM_VECTOR_CLONES
#else
#define QM_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#endif
