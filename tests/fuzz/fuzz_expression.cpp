// The evaluator over arbitrary bytes in the expression text (always terminated inside its 20
// bytes, as the collection leaves it).
#include "fuzz/fuzz_support.h"
#include "world/game_world.h"

#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto* world = new GameWorld;
    world->clearExpression();
    std::memcpy(world->expressionText, data, size < 19 ? size : 19);
    const std::int32_t value = world->parseExpression(0);
    // The cursor never leaves the text.
    if (world->parseCursor < 0 || world->parseCursor > 19) __builtin_trap();
    (void)value;
    return 0;
}
