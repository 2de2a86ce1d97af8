#pragma once

// Emscripten's C++ library as Debian 12 ships it (3.1.6, libc++ 13) has no
// std::bit_cast. The web build includes this header first in every file so
// that the core builds unchanged; with a library that has it, it adds nothing.
#include <version>

#if !defined(__cpp_lib_bit_cast)
#include <type_traits>

namespace std {
template <typename To, typename From>
requires(sizeof(To) == sizeof(From) && is_trivially_copyable_v<To> &&
         is_trivially_copyable_v<From>) constexpr To bit_cast(const From& from) noexcept
{
    return __builtin_bit_cast(To, from);
}
} // namespace std
#endif
