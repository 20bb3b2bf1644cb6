// SPDX-License-Identifier: MIT
// The texts that name the program in its About box, one source for every
// desktop front end. UTF-8.
#pragma once

#include "molvane_version.h"

namespace molvane {

// The release comes from the project's version, so that the box can never
// name another one than the package.
inline constexpr const char* kProductLine = "Molvane ver. " MOLVANE_RELEASE;
inline constexpr const char* kEditionLine = "Part I. Molvane";
inline constexpr const char* kReleaseDate = "Oct. 29, 2010";
// Cut where the About box breaks its lines.
inline constexpr const char* kDescriptionLines[] = {
    "A scientific calculator that understands chemistry: type an",
    "expression, a chemical formula such as H2SO4 or a quadratic",
    "equation in x, and press Enter for its answer.",
};
inline constexpr const char* kDistributionNotice =
    "Free software under the MIT licence. It comes with no warranty: check results that matter by other means.";
// The suite line that heads the Number Format dialog.
inline constexpr const char* kSuiteLine = "Vanta " MOLVANE_RELEASE;
inline constexpr const char* kRightsNotice = "\u00A9 2026 The Molvane developers";
// The Number Format dialog's heading, a line each, above the distribution notice.
inline constexpr const char* kNumberFormatHeading[] = {kSuiteLine, "Part I.", "Molvane", kRightsNotice};

}  // namespace molvane
