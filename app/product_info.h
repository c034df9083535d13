// The product's name, copyright line and web site: one place for the main
// window's title, its home and help pages and the about box.
#pragma once

namespace MyApp {

inline constexpr char productName[] = "Zelmivo";
inline constexpr char productCopyright[] = "Copyright (C) 2026 Orvo Software";
// Begins with "http://www." so that the about box can derive the mail address.
inline constexpr char productWebAddress[] = "http://www.zelmivo.it";

}  // namespace MyApp
