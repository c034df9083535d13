// The product's name, copyright line and web site: one place for the main
// window's title, its home and help pages and the about box.
#pragma once

namespace MyApp {

inline constexpr char productName[] = "Zelmivo";
inline constexpr char productCopyright[] = "Copyright (C) 2026 Orvo Software";
inline constexpr char productWebAddress[] = "http://www.zelmivo.it";
inline constexpr char productMailAddress[] = "info@zelmivo.it";

}  // namespace MyApp
