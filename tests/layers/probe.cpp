// One include, compiled as a member of a layer (see CMakeLists.txt here).
#include CORVANDEL_PROBE_HEADER
