// The maker's credit line and home page shown at the foot of the window.
#pragma once

namespace vorsa::ui
{

inline constexpr char kCreditLine[] = "© Vorsa Project";
// Opened in the user's web browser by a click on the link label.
inline constexpr char kHomePage[] = "https://vorsa.example.org/";

} // namespace vorsa::ui
