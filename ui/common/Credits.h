// The maker's credit line, version and home page shown at the foot of the
// window; the version and the address come from the build.
#pragma once

#include "BuildInfo.h"
#include "VorsaVersion.h"

namespace vorsa::ui
{

inline constexpr char kCreditLine[] = "© Vorsa Project";
inline constexpr char kVersionLine[] = "Vorsa v" VORSA_VERSION;
// Opened in the user's web browser by a click on the link label.
inline constexpr char kHomePage[] = VORSA_HOME_PAGE;
// The desktop entry's name without ".desktop", for the window system.
inline constexpr char kApplicationId[] = VORSA_APP_ID;

} // namespace vorsa::ui
