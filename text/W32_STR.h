// Short-string utilities beneath the number formatter.
//
// A short string holds at most 255 8-bit characters; every operation here returns a string cut at
// that length. Positions are 1-based, as the formatter's algorithms count them.
#pragma once

#include <cstddef>
#include <string>

namespace kwt {

inline constexpr std::size_t KurzStringLaenge = 255;

// Cuts s to the short-string length.
std::string KurzString(std::string s);

std::string ZeichenLoeschen(const std::string &s, char c);
std::string LeerzeichenLoeschen(const std::string &s);
std::string ZeichenErsetzen(const std::string &s, char a, char b);
// Brings s to exactly w characters: the rightmost w remain, or f is put in front until the length is w.
std::string LinksAuffuellen(const std::string &s, char f, int w);
// Pads with '0' to w characters (blanks become '0' too); w = 0 or an empty s leave s as it is.
std::string NullenAuffuellen(const std::string &s, int w);
// 1-based position of the last occurrence of sub in s, 0 if none; an empty sub gives length(s).
std::size_t PosRechts(const std::string &sub, const std::string &s);

} // namespace kwt
