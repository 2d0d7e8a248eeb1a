#include "rating.h"

#include <gtest/gtest.h>

using namespace kestrava;

TEST(Rating, EveryBandBoundary) {
    struct Row {
        std::int32_t score;
        const char* word;
    };
    const Row rows[] = {
        {2147483647, "Great"}, {104000, "Great"},
        {103999, "Good"},      {102000, "Good"},
        {101999, "Better"},    {90000, "Better"},
        {89999, "Ok"},         {70000, "Ok"},
        {69999, "Bad"},        {40000, "Bad"},
        {39999, "DAME"},       {0, "DAME"},
        {-100000, "DAME"},     {-2147483647 - 1, "DAME"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ratingWord(row.score), row.word) << "score " << row.score;
}
