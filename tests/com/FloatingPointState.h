// The floating-point state of the calling thread, as a host may leave it,
// and the table of such states the clients call the servers from.
#ifndef QD_TESTS_COM_FLOATINGPOINTSTATE_H
#define QD_TESTS_COM_FLOATINGPOINTSTATE_H

#include <cstdio>
#include <string>

struct FloatingPointState {
    unsigned short x87Control;
    unsigned short x87Flags; // the exception flags of the x87 status word
    unsigned mxcsr;          // control bits and exception flags

    bool operator==(const FloatingPointState& o) const
    {
        return x87Control == o.x87Control && x87Flags == o.x87Flags && mxcsr == o.mxcsr;
    }
    std::string text() const
    {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "x87 %04X flags %02X, MXCSR %04X", x87Control, x87Flags, mxcsr);
        return buffer;
    }
};

// Sets the thread's state, every exception flag clear: nothing runs in
// between, so an unmasked exception cannot fire on a stale flag.
inline void setFloatingPointState(unsigned short x87Control, unsigned mxcsr)
{
    __asm__ __volatile__("fnclex\n\tfldcw %0" : : "m"(x87Control) : "memory");
    __asm__ __volatile__("ldmxcsr %0" : : "m"(mxcsr) : "memory");
}

inline FloatingPointState readFloatingPointState()
{
    FloatingPointState s{};
    unsigned short status = 0;
    __asm__ __volatile__("fnstcw %0" : "=m"(s.x87Control) : : "memory");
    __asm__ __volatile__("fnstsw %0" : "=m"(status) : : "memory");
    __asm__ __volatile__("stmxcsr %0" : "=m"(s.mxcsr) : : "memory");
    s.x87Flags = static_cast<unsigned short>(status & 0x3F);
    return s;
}

// The state the servers compute in, and the platform's default on x86-64.
const unsigned short kDoublePrecisionX87 = 0x027F;
const unsigned kDefaultMxcsr = 0x1F80;

struct HostState {
    const char* name;
    unsigned short x87Control;
    unsigned mxcsr;
};

// x87 control: bits 0-5 mask the exceptions (invalid, denormal, zero
// divide, overflow, underflow, precision), bits 8-9 the precision (00
// single, 10 double, 11 extended), bits 10-11 the rounding. MXCSR: bits
// 7-12 the masks, bits 13-14 the rounding, bit 15 flush-to-zero, bit 6
// denormals-are-zero.
const HostState kHostStates[] = {
    {"extended precision, as Wine's main thread", 0x037F, 0x1F80},
    {"double precision, as Windows x64", 0x027F, 0x1F80},
    {"single precision, as some graphics libraries set", 0x007F, 0x1F80},
    {"invalid, zero-divide and overflow unmasked", 0x0272, 0x1900},
    {"rounding toward zero (x87) and upward (SSE)", 0x0E7F, 0x5F80},
    {"flush-to-zero and denormals-are-zero", 0x027F, 0x9FC0},
    {"single precision, rounding down, exceptions unmasked", 0x0472, 0x3900},
};

#endif
