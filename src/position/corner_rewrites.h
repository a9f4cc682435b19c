// Corner eye shapes that the judgment gives to the defender before counting
// eyes: a five-point corner eye space holding three attacker stones and two
// empty points can only ever make the one eye at the corner point, so the
// rewrite hands four of its points to the defender and empties the corner.
#pragma once

#include <array>
#include <cstdint>

#include "position/board.h"

struct CornerRewrite {
    std::array<int32_t, 3> attacker;   // must hold attacker stones
    std::array<int32_t, 2> empty;      // must be plain empty points
    std::array<int32_t, 7> defender;   // must hold defender stones
    std::array<int32_t, 1> toEmpty;    // emptied by the rewrite
    std::array<int32_t, 4> toDefender; // given to the defender by the rewrite
};

constexpr int32_t kCornerRewriteCount = 20;

namespace corner_rewrite_detail {

struct XY {
    int32_t x;
    int32_t y;
};

struct BaseRule {
    std::array<XY, 3> attacker;
    std::array<XY, 2> empty;
    std::array<XY, 7> defender;
    std::array<XY, 1> toEmpty;
    std::array<XY, 4> toDefender;
};

// The five shapes of the corner (1, 1).
constexpr std::array<BaseRule, 5> kTopLeftRules = {{
    {{{{1, 1}, {2, 1}, {1, 2}}},
     {{{3, 1}, {1, 3}}},
     {{{4, 1}, {2, 2}, {3, 2}, {4, 2}, {2, 3}, {1, 4}, {2, 4}}},
     {{{1, 1}}},
     {{{2, 1}, {3, 1}, {1, 2}, {1, 3}}}},
    {{{{1, 1}, {2, 1}, {3, 1}}},
     {{{4, 1}, {1, 2}}},
     {{{5, 1}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {1, 3}, {2, 3}}},
     {{{1, 1}}},
     {{{2, 1}, {3, 1}, {4, 1}, {1, 2}}}},
    {{{{1, 1}, {2, 1}, {3, 1}}},
     {{{1, 2}, {3, 2}}},
     {{{4, 1}, {2, 2}, {4, 2}, {1, 3}, {2, 3}, {3, 3}, {4, 3}}},
     {{{1, 1}}},
     {{{2, 1}, {3, 1}, {1, 2}, {3, 2}}}},
    {{{{1, 1}, {1, 2}, {1, 3}}},
     {{{2, 1}, {1, 4}}},
     {{{3, 1}, {2, 2}, {3, 2}, {2, 3}, {2, 4}, {1, 5}, {2, 5}}},
     {{{1, 1}}},
     {{{2, 1}, {1, 2}, {1, 3}, {1, 4}}}},
    {{{{1, 1}, {1, 2}, {1, 3}}},
     {{{2, 1}, {2, 3}}},
     {{{3, 1}, {2, 2}, {3, 2}, {3, 3}, {1, 4}, {2, 4}, {3, 4}}},
     {{{1, 1}}},
     {{{2, 1}, {1, 2}, {1, 3}, {2, 3}}}},
}};

template <std::size_t N>
constexpr std::array<int32_t, N> mirrored(const std::array<XY, N>& points, bool flipX,
                                          bool flipY) {
    std::array<int32_t, N> result{};
    for (std::size_t i = 0; i < N; ++i) {
        const int32_t x = flipX ? 20 - points[i].x : points[i].x;
        const int32_t y = flipY ? 20 - points[i].y : points[i].y;
        result[i] = pointAt(x, y);
    }
    return result;
}

// Rules 1-5 as given, 6-10 on the corner (19, 1), 11-15 on (1, 19), 16-20 on (19, 19).
constexpr std::array<CornerRewrite, kCornerRewriteCount> buildCornerRewrites() {
    std::array<CornerRewrite, kCornerRewriteCount> rules{};
    constexpr std::array<std::array<bool, 2>, 4> flips = {{
        {false, false}, {true, false}, {false, true}, {true, true}}};
    for (std::size_t corner = 0; corner < flips.size(); ++corner) {
        const bool fx = flips[corner][0];
        const bool fy = flips[corner][1];
        for (std::size_t r = 0; r < kTopLeftRules.size(); ++r) {
            const BaseRule& base = kTopLeftRules[r];
            rules[corner * kTopLeftRules.size() + r] = CornerRewrite{
                mirrored(base.attacker, fx, fy), mirrored(base.empty, fx, fy),
                mirrored(base.defender, fx, fy), mirrored(base.toEmpty, fx, fy),
                mirrored(base.toDefender, fx, fy)};
        }
    }
    return rules;
}

}  // namespace corner_rewrite_detail

constexpr std::array<CornerRewrite, kCornerRewriteCount> cornerRewrites =
    corner_rewrite_detail::buildCornerRewrites();

static_assert(cornerRewrites[0].toEmpty[0] == pointAt(1, 1));
static_assert(cornerRewrites[5].toEmpty[0] == pointAt(19, 1));
static_assert(cornerRewrites[10].toEmpty[0] == pointAt(1, 19));
static_assert(cornerRewrites[19].attacker[2] == pointAt(19, 17));
