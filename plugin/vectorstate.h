#pragma once

// Marks the upper halves of the CPU's wide vector registers as clean.
//
// Library code that uses 256- or 512-bit vector instructions (FFTW's codelets, the C
// library's memset and memcpy) may return with those upper halves in use. Until they
// are cleared, plain 128-bit vector code, which is what this plug-in is compiled to,
// runs several times slower on many x86 processors: it has to merge with or save that
// state. Call this after such library calls and before tight scalar loops.
//
// It executes VZEROUPPER only where the processor has it (checked once at run time);
// elsewhere, and on other architectures, it does nothing.
void clearUpperVectorState();
