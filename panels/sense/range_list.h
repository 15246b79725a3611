#pragma once
// The range texts offered by the sense pages' range lists.

#include <array>

inline constexpr std::array<const char*, 6> RangeList{".0625", ".25", "1", "4", "16", "AUTO"};
