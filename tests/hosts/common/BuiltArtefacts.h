#pragma once

#include <cstdlib>
#include <string>

// Where the build put what the host tests load. CMake bakes the paths in; an environment
// variable of the same name overrides one, so that the same tests can be pointed at a
// bundle somewhere else (an installed copy, or one broken on purpose).
namespace hosttest
{
inline std::string builtArtefact (const char* variable, const char* builtPath)
{
    if (const char* overridden = std::getenv (variable); overridden != nullptr && *overridden != 0)
        return overridden;
    return builtPath;
}

#ifndef VESK_HOST_LV2_BUNDLE
 #define VESK_HOST_LV2_BUNDLE ""
#endif
#ifndef VESK_HOST_VST3_BUNDLE
 #define VESK_HOST_VST3_BUNDLE ""
#endif
#ifndef VESK_HOST_RENDERER
 #define VESK_HOST_RENDERER ""
#endif
#ifndef VESK_HOST_LILV_CLI
 #define VESK_HOST_LILV_CLI ""
#endif

inline std::string lv2Bundle() { return builtArtefact ("VESK_HOST_LV2_BUNDLE", VESK_HOST_LV2_BUNDLE); }
inline std::string vst3Bundle() { return builtArtefact ("VESK_HOST_VST3_BUNDLE", VESK_HOST_VST3_BUNDLE); }
// Empty while the build has no offline renderer.
inline std::string renderer() { return builtArtefact ("VESK_HOST_RENDERER", VESK_HOST_RENDERER); }
inline std::string lilvHostProgram() { return builtArtefact ("VESK_HOST_LILV_CLI", VESK_HOST_LILV_CLI); }
} // namespace hosttest
