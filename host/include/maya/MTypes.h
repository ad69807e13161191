#pragma once
// Common definitions of the host interface: export macros, the unsigned
// typedefs the interface uses, and the forward declarations of the host's
// own internal types that the value classes refer to.
#include <cstddef>

#if defined(_WIN32)
#  if defined(OMBRIX_BUILDING_OPENMAYA)
#    define OPENMAYA_EXPORT __declspec(dllexport)
#  else
#    define OPENMAYA_EXPORT __declspec(dllimport)
#  endif
#  define PLUGIN_EXPORT extern "C++" __declspec(dllexport)
#else
#  define OPENMAYA_EXPORT __attribute__((visibility("default")))
#  define PLUGIN_EXPORT extern "C++" __attribute__((visibility("default")))
#endif

#define MAYA_API_VERSION 400

typedef unsigned int uint;
typedef float float2[2];
typedef signed int int2[2];
typedef double double3[3];

namespace OmbrixHost {
struct ObjectData;
class Access;
struct SyntaxSpec;
struct ParsedArgs;
}

class MSpace {
public:
  enum Space {
    kInvalid = 0,
    kTransform = 1,
    kPreTransform = 2,
    kPostTransform = 3,
    kWorld = 4,
    kLast = 5,
    kObject = kPreTransform
  };
};
