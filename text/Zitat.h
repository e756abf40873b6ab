// Quoting what a user or a file supplied inside one of the program's messages: a file name, a key of
// a scenario, an argument.
//
// Messages go into an error box and onto a terminal, so a quote stays short: at most 60 characters,
// cut with "…". A path keeps its end, where the file's own name stands; other text keeps its start.
// A cut never splits a UTF-8 character; bytes that are no UTF-8 and control characters show as "?",
// so that a quote can neither break the message into lines nor make it invalid text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kwt {

inline constexpr std::size_t ZitatLaenge = 60;

// 'text', or 'the first 59 characters…' when it is longer.
std::string Zitat(std::string_view text, std::size_t hoechstens = ZitatLaenge);

// 'pfad', or '…the last 59 characters' when it is longer.
std::string PfadZitat(std::string_view pfad, std::size_t hoechstens = ZitatLaenge);

} // namespace kwt
