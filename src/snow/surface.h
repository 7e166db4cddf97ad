#pragma once
// The snow window's drawing surface: 32-bit pixels in memory, measured in twips.
#include <cstdint>
#include <vector>

namespace snow {

class Surface {
  public:
    double width = 2295;  // twips
    double height = 1815; // twips
};

} // namespace snow
