// The maker's details, shown by the About window; the web-site address is also what the
// note's "e" button and its "访问网站" item open.
#pragma once

namespace notes {

inline constexpr char kMakerName[] = "Velnor";
inline constexpr char kMakerContactNumbers[] = "10000、10001";
inline constexpr char kMakerGroupNumber[] = "10002";
inline constexpr char kMakerSiteAddress[] = "http://www.velnor.example/";
inline constexpr char kRightsNotice[] = "Copyright (C) Velnor. All rights reserved.";

}  // namespace notes
