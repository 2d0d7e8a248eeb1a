#pragma once

#include <cstdint>
#include <string>

namespace kestrava {

// The one-word rating of a score: "Great", "Good", "Better", "Ok", "Bad" or "DAME".
std::string ratingWord(std::int32_t score);

} // namespace kestrava
