#include "dxBarNavigationSearch.h"

#include <cmath>
#include <numbers>

#include "cxAccessibility.h"

namespace {

struct TCandidateScore {
    long long Gap;
    long double Deviation;
};

bool ScoreCandidate(const RECT& source, const RECT& r, int direction, TCandidateScore& score) {
    long double cx1 = source.left + (source.right - source.left) / 2.0L,
                cy1 = source.top + (source.bottom - source.top) / 2.0L;
    long double cx2 = r.left + (r.right - r.left) / 2.0L, cy2 = r.top + (r.bottom - r.top) / 2.0L;
    long double angle = std::atan2(cy2 - cy1, cx2 - cx1) * 180.0L / std::numbers::pi_v<long double>;
    if (angle < 0) angle += 360;
    static const long double kTurn[4] = {180, 270, 0, 90};  // left, up, right, down
    angle -= kTurn[direction];
    long double wrapped = angle >= 0 ? angle - 360 : angle + 360;
    score.Deviation = std::min(std::fabs(angle), std::fabs(wrapped));
    switch (direction) {
        case 0:
            score.Gap = (long long)source.left - r.right;
            break;
        case 1:
            score.Gap = (long long)source.top - r.bottom;
            break;
        case 2:
            score.Gap = (long long)r.left - source.right;
            break;
        default:
            score.Gap = (long long)r.top - source.bottom;
            break;
    }
    return score.Gap >= 0;
}

TcxAccessibilityHelper* BestCandidate(const RECT& source, const std::vector<TcxAccessibilityHelper*>& candidates,
                                      int direction) {
    TcxAccessibilityHelper* best = nullptr;
    TCandidateScore bestScore{};
    for (TcxAccessibilityHelper* candidate : candidates) {
        TCandidateScore score;
        if (!candidate || !ScoreCandidate(source, candidate->GetScreenBounds(0), direction, score)) continue;
        if (!best || score.Gap < bestScore.Gap ||
            (score.Gap == bestScore.Gap && score.Deviation < bestScore.Deviation)) {
            best = candidate;
            bestScore = score;
        }
    }
    return best;
}

}  // namespace

TcxAccessibilityHelper* FindNearestInDirection(TcxAccessibilityHelper* helper,
                                               const std::vector<TcxAccessibilityHelper*>& candidates, int direction,
                                               bool wrap) {
    if (!helper || direction < 0 || direction > 3) return nullptr;
    RECT source = helper->GetScreenBounds(0);
    TcxAccessibilityHelper* best = BestCandidate(source, candidates, direction);
    if (!best && wrap && (direction == 0 || direction == 2)) {
        // Start again from beyond the far side: the rectangle keeps its size and height.
        LONG width = source.right - source.left;
        if (direction == 0)
            source.right = 1073741823, source.left = source.right - width;
        else
            source.left = -1073741823, source.right = source.left + width;
        best = BestCandidate(source, candidates, direction);
    }
    return best;
}
