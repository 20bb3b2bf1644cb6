// SPDX-License-Identifier: MIT
// The program's web site: the one address shown by the history window's link,
// written at the foot of a saved history and named in the About box.
#pragma once

namespace molvane {

inline constexpr const char* kWebSiteAddress = "https://molvane.example.org";

}  // namespace molvane
