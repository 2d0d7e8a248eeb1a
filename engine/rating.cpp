#include "rating.h"

#include <array>

namespace kestrava {

namespace {
struct Band {
    std::int32_t lowerBound;
    const char* word;
};

// Highest band first: the first bound met wins.
constexpr std::array<Band, 5> bands{{
    {104000, "Great"},
    {102000, "Good"},
    {90000, "Better"},
    {70000, "Ok"},
    {40000, "Bad"},
}};
} // namespace

std::string ratingWord(std::int32_t score) {
    for (const Band& band : bands) {
        if (score >= band.lowerBound)
            return band.word;
    }
    return "DAME";
}

} // namespace kestrava
