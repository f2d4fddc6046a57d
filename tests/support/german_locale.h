// SPDX-License-Identifier: MIT
// The German locale, whose decimal comma the numbers must never take, by the
// name each system knows it under (scripts/setup makes it on Linux).
#pragma once

#ifdef _WIN32
inline constexpr char kGermanLocale[] = "German_Germany.1252";
#else
inline constexpr char kGermanLocale[] = "de_DE.UTF-8";
#endif
