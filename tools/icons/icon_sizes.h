// The sizes the desktop's icon theme takes the program icon in.
#pragma once

#include <array>

namespace glamora {

inline constexpr std::array<int, 6> kIconSizes = {16, 32, 48, 64, 128, 256};

}  // namespace glamora
