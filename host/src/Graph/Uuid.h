#pragma once
// Node UUIDs as Maya writes them: "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX",
// upper-case hex digits.
#include <array>
#include <cstdint>
#include <string>

namespace OmbrixHost {

using UuidBytes = std::array<std::uint8_t, 16>;

// False for anything but 32 hex digits in the 8-4-4-4-12 groups.
bool parseUuid(const std::string& text, UuidBytes& bytes);
std::string formatUuid(const UuidBytes& bytes);
// A new random (version 4) UUID.
UuidBytes newUuid();

}  // namespace OmbrixHost
