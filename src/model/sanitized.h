// NIVAR_SANITIZED: the build runs under AddressSanitizer. The pools then poison their free
// blocks, so that a use of a freed object is still caught.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define NIVAR_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NIVAR_SANITIZED 1
#endif
#endif

#ifdef NIVAR_SANITIZED
#include <sanitizer/asan_interface.h>
#define NIVAR_POISON(Address, Size) ASAN_POISON_MEMORY_REGION(Address, Size)
#define NIVAR_UNPOISON(Address, Size) ASAN_UNPOISON_MEMORY_REGION(Address, Size)
#else
#define NIVAR_POISON(Address, Size) ((void)(Address), (void)(Size))
#define NIVAR_UNPOISON(Address, Size) ((void)(Address), (void)(Size))
#endif
