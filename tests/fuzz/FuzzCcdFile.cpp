// Loading a .ccd file with an image beside it, then extracting what loaded.
#include "DiscCase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    vorsa::fuzz::RunDiscCase({"disc.ccd", "disc.img"}, data, size);
    return 0;
}
