// The floating-point environment of every call a client makes into a
// server of this project.
//
// A host may run with any floating-point state: x87 precision control at
// 24 or 64 bits (graphics libraries set single precision, Wine's main
// thread runs with extended precision), exceptions unmasked (some language
// runtimes do), another rounding mode, flush-to-zero. The runtime's exp,
// log, pow, sin and fmod use the x87 unit even on x86-64, so their results
// follow its precision control, and an unmasked exception raised by a
// division by zero or a NaN would land in the host as a hardware fault.
//
// FloatingPointGuard saves the caller's environment (the x87 environment
// where the architecture has one, and MXCSR), sets one known environment
// (53-bit precision, round to nearest, every exception masked and every
// flag clear, no flush-to-zero, no denormals-are-zero) and restores the
// caller's, flags included, when it goes out of scope, on every path out.
// Every entry point a client calls holds one for the whole call; guards
// nest.
#ifndef QD_COMLAYER_FLOATINGPOINTGUARD_H
#define QD_COMLAYER_FLOATINGPOINTGUARD_H

#if !(defined(__i386__) || defined(__x86_64__))
#include <cfenv>
#endif

namespace ComLayer {

// The environment inside a guard.
const unsigned short knownX87Control = 0x027F; // 53-bit, nearest, all masked
const unsigned knownMxcsr = 0x1F80;            // nearest, all masked, no FTZ/DAZ

class FloatingPointGuard {
public:
    FloatingPointGuard() noexcept
    {
#if defined(__i386__) || defined(__x86_64__)
        // fnstenv also masks every x87 exception, so nothing the caller left
        // pending can fire before the known control word is in place.
        __asm__ __volatile__("fnstenv %0" : "=m"(x87_) : : "memory");
        __asm__ __volatile__("stmxcsr %0" : "=m"(mxcsr_) : : "memory");
        const unsigned short control = knownX87Control;
        const unsigned mxcsr = knownMxcsr;
        __asm__ __volatile__("fnclex\n\tfldcw %0" : : "m"(control) : "memory");
        __asm__ __volatile__("ldmxcsr %0" : : "m"(mxcsr) : "memory");
#else
        std::fegetenv(&saved_);
        std::fesetenv(FE_DFL_ENV);
#endif
    }

    ~FloatingPointGuard()
    {
#if defined(__i386__) || defined(__x86_64__)
        __asm__ __volatile__("ldmxcsr %0" : : "m"(mxcsr_) : "memory");
        __asm__ __volatile__("fldenv %0" : : "m"(x87_) : "memory");
#else
        std::fesetenv(&saved_);
#endif
    }

    FloatingPointGuard(const FloatingPointGuard&) = delete;
    FloatingPointGuard& operator=(const FloatingPointGuard&) = delete;

private:
#if defined(__i386__) || defined(__x86_64__)
    // The 28-byte x87 environment (control, status and tag words, last
    // instruction and operand) as fnstenv stores it.
    unsigned char x87_[28];
    unsigned mxcsr_;
#else
    std::fenv_t saved_;
#endif
};

} // namespace ComLayer

#endif
