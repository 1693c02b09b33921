#pragma once

#include <cstdint>

// Windows marks some files and folders as reparse points, each with a tag saying which filter
// handles it. Plain numbers here, so that both systems build and test the decision.
namespace platform {

// What a tag is taken for when it cannot be read: the careful answer, a link.
inline constexpr std::uint32_t kUnreadableReparseTag = 0xFFFFFFFF;

// Whether an item with this tag stands for another place (junctions and mounted volumes
// 0xA0000003, symbolic links 0xA000000C, and every other name surrogate, which Windows marks
// with bit 29) rather than being the file or folder it shows: cloud placeholders (0x9000xxxx),
// deduplicated files (0x80000013), container overlays (0x80000018) and the like are read as
// what they show.
constexpr bool LeadsElsewhere(std::uint32_t reparse_tag) { return (reparse_tag & 0x20000000) != 0; }

}  // namespace platform
