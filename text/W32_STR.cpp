#include "W32_STR.h"

#include <algorithm>

namespace kwt {

std::string KurzString(std::string s) {
  if (s.size() > KurzStringLaenge) s.resize(KurzStringLaenge);
  return s;
}

std::string ZeichenLoeschen(const std::string &s, char c) {
  std::string r = KurzString(s);
  r.erase(std::remove(r.begin(), r.end(), c), r.end());
  return r;
}

std::string LeerzeichenLoeschen(const std::string &s) { return ZeichenLoeschen(s, ' '); }

std::string ZeichenErsetzen(const std::string &s, char a, char b) {
  std::string r = KurzString(s);
  if (a != b) std::replace(r.begin(), r.end(), a, b);
  return r;
}

std::string LinksAuffuellen(const std::string &s, char f, int w) {
  const std::size_t breite = static_cast<std::size_t>(std::clamp(w, 0, 255));
  std::string r = KurzString(s);
  if (r.size() > breite) return r.substr(r.size() - breite);
  return std::string(breite - r.size(), f) + r;
}

std::string NullenAuffuellen(const std::string &s, int w) {
  if (w == 0 || s.empty()) return KurzString(s);
  return ZeichenErsetzen(LinksAuffuellen(s, '0', w), ' ', '0');
}

std::size_t PosRechts(const std::string &sub, const std::string &s) {
  if (sub.empty()) return s.size();
  for (std::size_t p = s.size(); p >= 1; --p) {
    if (s.compare(p - 1, sub.size(), sub) == 0) return p;
  }
  return 0;
}

} // namespace kwt
