// The maker's web address and support mail: shown in the about box and
// opened by the main window's web-site command; the output panel's link
// shows the same address.
#pragma once

namespace about {

inline constexpr const char* kWebAddress = "http://www.example.org/";
inline constexpr const char* kSupportMail = "support@example.org";
inline constexpr const char* kMailScheme = "mailto:";

}  // namespace about
