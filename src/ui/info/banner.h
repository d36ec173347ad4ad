// The contact window's banners: the maker's logo, address block and a sketch of the reader,
// drawn from the maker's details so an address lives in one place only.
#pragma once

#include <QPixmap>

namespace korv::ui {

inline constexpr int kBannerWidth = 655;
inline constexpr int kBannerHeight = 313;

enum class BannerLanguage { Polish, English, German };

QPixmap DrawBanner(BannerLanguage language);

} // namespace korv::ui
