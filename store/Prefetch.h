#pragma once

namespace Orvane {

// Asks the processor to bring the memory at p near without waiting for it:
// a count over a million records looks up tables far beyond the caches,
// and a lookup asked for a few turns ahead then waits no more. Only a hint:
// p may be any address, even one no longer in use.
inline void prefetch(const void *p)
{
#if defined(__GNUC__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}

} // namespace Orvane
