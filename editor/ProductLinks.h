// Where the product's users find help: the version window shows and opens them.
#pragma once

inline constexpr const char* kSupportSiteAddress = "https://quorvane.example.org/";
inline constexpr const char* kSupportMailAddress = "support@quorvane.example.org";
