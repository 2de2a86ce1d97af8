#pragma once

#include "lesson/hard_extended.h"
#include "lesson/soft_extended.h"

// The number type of every computation the lesson defines in 80-bit extended
// precision. On the x87 it is the hardware's long double; elsewhere, or when
// the build asks for it (TAVRINE_SOFT_EXTENDED), the same results worked out
// in software.
#if defined(TAVRINE_HAS_HARD_EXTENDED) && !TAVRINE_SOFT_EXTENDED
using Extended = HardExtended;
#else
using Extended = SoftExtended;
#endif
