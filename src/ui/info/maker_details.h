// The company that ships KORV to installers: its name, addresses and links, all in one place.
// These are placeholders; a company putting its name on the program fills them in here, and
// the contact window, its banners and the help window's link follow.
#pragma once

namespace korv::ui::maker {

inline constexpr char kName[] = "Your Company Ltd.";
inline constexpr char kStreet[] = "ul. Przykładowa 1";
inline constexpr char kTown[] = "00-000 Miasto";
inline constexpr char kCountryPolish[] = "Polska";
inline constexpr char kCountryEnglish[] = "Poland";
inline constexpr char kCountryGerman[] = "Polen";
inline constexpr char kPhone[] = "+48 00 000 00 00";

inline constexpr char kHomePage[] = "https://www.example.com/";
inline constexpr char kSupportPolish[] = "https://www.example.com/wsparcie/";
inline constexpr char kSupportEnglish[] = "https://www.example.com/support/";
// The help window's link: the page where installers log in for the full instructions.
inline constexpr char kLoginPage[] = "https://www.example.com/logowanie";
inline constexpr char kMailPolish[] = "serwis@example.com";
inline constexpr char kMailEnglish[] = "service@example.com";
// The subject every e-mail from the contact window starts with.
inline constexpr char kMailSubject[] = "Dot. programu BEX RUF";

} // namespace korv::ui::maker
