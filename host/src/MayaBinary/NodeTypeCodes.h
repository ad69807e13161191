#pragma once
// Node types by the four-character code a Maya Binary node group carries.

namespace OmbrixHost {

// The node type a code names; null for a code the table lacks (a plug-in's
// type id or a type newer than the table).
const char* nodeTypeForCode(const char code[4]);

}  // namespace OmbrixHost
