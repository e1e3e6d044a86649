// Loading a cue sheet with an image beside it, then extracting what loaded.
#include "DiscCase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    vorsa::fuzz::RunDiscCase({"disc.cue", "disc.bin"}, data, size);
    return 0;
}
